#include "platform/window.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace scen {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Sets (or, with nullptr, removes) an environment variable until the end of
// the scope.
class Ambiente {
 public:
  Ambiente(const char* nome, const char* valore) : nome_(nome) {
    if (const char* prima = std::getenv(nome)) prima_ = prima;
    if (valore ? ::setenv(nome, valore, 1) != 0 : ::unsetenv(nome) != 0) ADD_FAILURE() << "cannot set " << nome;
  }
  ~Ambiente() {
    if (prima_ ? ::setenv(nome_, prima_->c_str(), 1) != 0 : ::unsetenv(nome_) != 0)
      ADD_FAILURE() << "cannot restore " << nome_;
  }
  Ambiente(const Ambiente&) = delete;
  Ambiente& operator=(const Ambiente&) = delete;

 private:
  const char* nome_;
  std::optional<std::string> prima_;
};

bool esiste(const fs::path& p) {
  std::error_code ec;
  return fs::exists(p, ec);
}

// True when no X server holds display number n on this machine.
bool display_libero(int n) {
  return !esiste("/tmp/.X11-unix/X" + std::to_string(n)) && !esiste("/tmp/.X" + std::to_string(n) + "-lock");
}

int display_libero_da(int primo) {
  for (int n = primo; n < primo + 200; ++n)
    if (display_libero(n)) return n;
  return -1;
}

// The program's full name as found in PATH; empty when it is not there.
std::string trova(const std::string& programma) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "");
  for (std::string dir; std::getline(dirs, dir, ':');) {
    const fs::path p = fs::path(dir) / programma;
    if (!dir.empty() && ::access(p.c_str(), X_OK) == 0) return p.string();
  }
  return {};
}

// The shell's exit status of a command, or -1 when it could not run.
int esegui(const std::string& comando) {
  const int stato = std::system(comando.c_str());
  return stato != -1 && WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
}

std::string uscita(const std::string& comando) {
  std::string testo;
  FILE* f = ::popen(comando.c_str(), "r");
  if (!f) return testo;
  char blocco[512];
  for (size_t n; (n = std::fread(blocco, 1, sizeof blocco, f)) > 0;) testo.append(blocco, n);
  if (::pclose(f) == -1) testo.clear();
  return testo;
}

// A cookie file that admits a client to display n: one MIT-MAGIC-COOKIE-1
// entry for any address, in the Xauthority layout (big-endian 16-bit lengths).
bool scrivi_cookie(const fs::path& file, int n) {
  std::string dati;
  auto campo = [&dati](const std::string& s) {
    dati += static_cast<char>(s.size() >> 8);
    dati += static_cast<char>(s.size() & 0xff);
    dati += s;
  };
  dati += "\xff\xff";  // FamilyWild
  campo("");
  campo(std::to_string(n));
  campo("MIT-MAGIC-COOKIE-1");
  std::random_device caso;
  std::string cookie;
  for (int i = 0; i < 16; ++i) cookie += static_cast<char>(caso() & 0xff);
  campo(cookie);
  std::ofstream f(file, std::ios::binary);
  f << dati;
  return static_cast<bool>(f.flush());
}

// An Xvfb server that admits only the holders of its cookie file, stopped
// when the object goes.
class ServerX {
 public:
  explicit ServerX(fs::path dir) : cookie_(dir / "cookie") {
    for (int tentativo = 0, da = 100 + ::getpid() % 300; tentativo < 5; ++tentativo) {
      numero_ = display_libero_da(da);
      if (numero_ < 0 || !scrivi_cookie(cookie_, numero_)) return;
      if (avvia()) return;
      da = numero_ + 1;
    }
    numero_ = -1;
  }
  ~ServerX() { ferma(); }
  ServerX(const ServerX&) = delete;
  ServerX& operator=(const ServerX&) = delete;

  bool pronto() const { return pid_ > 0; }
  std::string display() const { return ":" + std::to_string(numero_); }
  const fs::path& cookie() const { return cookie_; }

  void ferma() {
    if (pid_ <= 0) return;
    if (::kill(pid_, SIGTERM) == 0) {
      for (int i = 0; i < 250; ++i, std::this_thread::sleep_for(20ms))
        if (::waitpid(pid_, nullptr, WNOHANG) != 0) {
          pid_ = -1;
          return;
        }
    }
    if (::kill(pid_, SIGKILL) == 0) ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  // Starts the server and waits up to 10 s for its socket. The server dies
  // with this process even when the toolkit ends it from inside.
  bool avvia() {
    const std::string programma = trova("Xvfb"), disp = display(), cookie = cookie_.string();
    std::vector<std::string> args{"Xvfb", disp, "-screen", "0", "640x480x24", "-nolisten", "tcp", "-auth", cookie};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t genitore = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0) return false;
    if (pid == 0) {
      const int nulla = ::open("/dev/null", O_WRONLY);
      if (::prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || ::getppid() != genitore || nulla < 0 ||
          ::dup2(nulla, 1) < 0 || ::dup2(nulla, 2) < 0)
        ::_exit(127);
      ::execv(programma.c_str(), argv.data());
      ::_exit(127);
    }
    pid_ = pid;
    const fs::path socket = "/tmp/.X11-unix/X" + std::to_string(numero_);
    for (int i = 0; i < 500; ++i, std::this_thread::sleep_for(20ms)) {
      if (::waitpid(pid_, nullptr, WNOHANG) != 0) {  // gone: the number was taken meanwhile
        pid_ = -1;
        return false;
      }
      if (esiste(socket)) return true;
    }
    ferma();
    return false;
  }

  fs::path cookie_;
  int numero_ = -1;
  pid_t pid_ = -1;
};

// An X window dump (xwd) of a true-colour window, as 0xRRGGBB pixels.
struct Immagine {
  int larghezza = 0;
  int altezza = 0;
  std::vector<uint32_t> pixel;
  int luce(int x, int y) const {
    const uint32_t p = pixel[static_cast<size_t>(y) * larghezza + x];
    return static_cast<int>(((p >> 16) & 0xff) + ((p >> 8) & 0xff) + (p & 0xff)) / 3;
  }
};

std::optional<Immagine> leggi_xwd(const fs::path& file) {
  std::ifstream f(file, std::ios::binary);
  const std::string d{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
  auto parola = [&d](size_t i) {
    uint32_t v = 0;
    for (size_t k = 0; k < 4; ++k) v = v << 8 | static_cast<unsigned char>(d[4 * i + k]);
    return v;
  };
  if (d.size() < 100) return std::nullopt;
  const uint32_t testata = parola(0), formato = parola(2), ordine = parola(7), bpp = parola(11), riga = parola(12);
  const uint32_t rosso = parola(14), verde = parola(15), blu = parola(16), colori = parola(19);
  Immagine im;
  im.larghezza = static_cast<int>(parola(4));
  im.altezza = static_cast<int>(parola(5));
  const size_t inizio = testata + 12 * static_cast<size_t>(colori);
  if (formato != 2 || (bpp != 24 && bpp != 32) || d.size() < inizio + riga * static_cast<size_t>(im.altezza))
    return std::nullopt;
  auto canale = [](uint32_t p, uint32_t maschera) {
    if (maschera == 0) return 0u;
    return (p & maschera) >> std::countr_zero(maschera) & 0xff;
  };
  for (int y = 0; y < im.altezza; ++y)
    for (int x = 0; x < im.larghezza; ++x) {
      uint32_t p = 0;
      const size_t at = inizio + y * static_cast<size_t>(riga) + x * static_cast<size_t>(bpp / 8);
      for (uint32_t k = 0; k < bpp / 8; ++k) {
        const uint32_t b = static_cast<unsigned char>(d[at + k]);
        p = ordine == 1 ? p << 8 | b : p | b << (8 * k);  // 1: MSBFirst
      }
      im.pixel.push_back(canale(p, rosso) << 16 | canale(p, verde) << 8 | canale(p, blu));
    }
  return im;
}

// The ids of the visible windows named `titolo`.
std::vector<std::string> finestre(const std::string& titolo) {
  std::stringstream righe(uscita("timeout 5 xdotool search --onlyvisible --name '^" + titolo + "$' 2>/dev/null"));
  std::vector<std::string> ids;
  for (std::string id; righe >> id;) ids.push_back(id);
  return ids;
}

enum class Chiusura { chiusa, non_comparsa, non_chiusa };

// Waits up to 10 s for a new visible window named `titolo` (one not in
// `prima`), presses Return in it and waits up to 5 s for it to go.
Chiusura premi_invio(const std::string& titolo, const std::vector<std::string>& prima, const std::atomic<bool>& finito) {
  std::string nuova;
  for (auto limite = std::chrono::steady_clock::now() + 10s; nuova.empty(); std::this_thread::sleep_for(50ms)) {
    if (finito || std::chrono::steady_clock::now() > limite) return Chiusura::non_comparsa;
    for (const auto& id : finestre(titolo))
      if (std::find(prima.begin(), prima.end(), id) == prima.end()) nuova = id;
  }
  esegui("timeout 5 xdotool windowfocus --sync " + nuova + " key Return");
  for (auto limite = std::chrono::steady_clock::now() + 5s; std::chrono::steady_clock::now() < limite;
       std::this_thread::sleep_for(50ms)) {
    const auto ora = finestre(titolo);
    if (std::find(ora.begin(), ora.end(), nuova) == ora.end()) return Chiusura::chiusa;
  }
  return Chiusura::non_chiusa;
}

TEST(WindowWithoutDisplay, NoDisplayVariableWritesTheMessageOnStderr) {
  Ambiente display("DISPLAY", nullptr);
  auto finestra = platform::open_program_window("scen_window_test");
  ASSERT_FALSE(finestra->on_screen());

  const auto prima = std::chrono::steady_clock::now();
  finestra->show_waiting();
  testing::internal::CaptureStderr();
  finestra->show_message(" Errore n. 1250");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), " Errore n. 1250\n");
  EXPECT_LT(std::chrono::steady_clock::now() - prima, 1s);
}

// The toolkit alone would print "Can't open display" and exit with status 1.
// Run in a fresh process: the toolkit keeps the first display it opened.
TEST(WindowWithoutDisplay, UnservedDisplayFallsBackSilently) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::string nessuno = ":" + std::to_string(display_libero_da(500));
  Ambiente display("DISPLAY", nessuno.c_str());
  EXPECT_EXIT(
      {
        auto finestra = platform::open_program_window("scen_window_test");
        finestra->show_waiting();
        std::_Exit(finestra->on_screen() ? 2 : 0);
      },
      testing::ExitedWithCode(0), "^$");
}

// One test for everything that needs an X server: the toolkit keeps the first
// display it opens for the life of the process, so the refused connection
// must come before the admitted one.
TEST(WindowOnXServer, RefusedDisplayIsSilentAdmittedOneShowsLabelAndMessageBox) {
  for (const char* programma : {"Xvfb", "xdotool", "xwd", "timeout"})
    if (trova(programma).empty()) GTEST_SKIP() << programma << " is not installed";
  const fs::path dir = fs::temp_directory_path() / ("scen_window_test_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  struct Pulizia {
    fs::path dir;
    ~Pulizia() {
      std::error_code ec;
      fs::remove_all(dir, ec);
    }
  } pulizia{dir};
  ServerX server(dir);
  // A machine that cannot start a display server cannot show the window.
  if (!server.pronto()) GTEST_SKIP() << "Xvfb did not start: no display server to show the window on";
  Ambiente display("DISPLAY", server.display().c_str());
  const std::string titolo = "scen_window_test_" + std::to_string(::getpid());

  {
    SCOPED_TRACE("a client without the cookie");
    std::ofstream(dir / "vuoto").flush();
    Ambiente autorizzazione("XAUTHORITY", (dir / "vuoto").c_str());
    testing::internal::CaptureStderr();
    const bool grafica = platform::open_program_window(titolo)->on_screen();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    ASSERT_FALSE(grafica);
  }

  Ambiente autorizzazione("XAUTHORITY", server.cookie().c_str());
  auto finestra = platform::open_program_window(titolo);
  ASSERT_TRUE(finestra->on_screen());
  const auto prima = std::chrono::steady_clock::now();
  finestra->show_waiting();
  EXPECT_LT(std::chrono::steady_clock::now() - prima, 3s);

  {
    SCOPED_TRACE("the window as painted, with no event handled since");
    const fs::path dump = dir / "finestra.xwd";
    ASSERT_EQ(esegui("timeout 10 xwd -silent -name '" + titolo + "' -out '" + dump.string() + "'"), 0);
    const auto im = leggi_xwd(dump);
    ASSERT_TRUE(im) << "unreadable window dump";
    ASSERT_EQ(im->larghezza, 280);
    ASSERT_EQ(im->altezza, 179);
    EXPECT_GT(im->luce(2, 2), 150) << "the background is not painted";
    // Dark text, all of it inside the label's box (64, 64) to (240, 116).
    int dentro = 0, fuori = 0, sinistra = im->larghezza, destra = -1;
    for (int y = 0; y < im->altezza; ++y)
      for (int x = 0; x < im->larghezza; ++x) {
        if (im->luce(x, y) >= 96) continue;
        const bool nel_riquadro = x >= 64 && x < 64 + 177 && y >= 64 && y < 64 + 53;
        ++(nel_riquadro ? dentro : fuori);
        sinistra = std::min(sinistra, x);
        destra = std::max(destra, x);
      }
    EXPECT_EQ(fuori, 0);
    EXPECT_GT(dentro, 300);
    EXPECT_GE(destra - sinistra + 1, 150) << "the label is far smaller than its box";
  }

  {
    SCOPED_TRACE("the message box, closed with Return");
    const auto aperte = finestre(titolo);
    ASSERT_EQ(aperte.size(), 1u);
    std::atomic<bool> tornato{false};
    Chiusura esito = Chiusura::non_comparsa;
    std::thread utente([&] {
      esito = premi_invio(titolo, aperte, tornato);
      // A box nobody can close would hold the test for ever: ending the server
      // makes the toolkit end the process instead.
      if (esito != Chiusura::chiusa && !tornato) {
        ADD_FAILURE() << "the message box did not appear or did not close in time; stopping the X server";
        server.ferma();
      }
    });
    finestra->show_message(" Errore n. 1250");
    tornato = true;
    utente.join();
    EXPECT_EQ(esito, Chiusura::chiusa) << "messaggio returned without a box that Return closed";
  }
}

}  // namespace
}  // namespace scen
