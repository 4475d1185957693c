#include "output/plan_writer.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "model/byte_images.h"

namespace scen {

namespace {
constexpr size_t kRighePerRun = size_t{1} << 16;
}  // namespace

ScritturaPiano::ScritturaPiano(std::filesystem::path destinazione)
    : destinazione_(std::move(destinazione)) {}

ScritturaPiano::~ScritturaPiano() {
  if (!thread_.joinable()) return;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    abbandona_ = true;
  }
  annunciate_.notify_one();
  thread_.join();
}

void ScritturaPiano::righe_definitive(const TabellaLinea& tabella, size_t righe) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    tabella_ = &tabella;
    definitive_ = righe;
  }
  if (!thread_.joinable()) {
    try {
      thread_ = std::thread(&ScritturaPiano::scrivi, this);
    } catch (const std::system_error&) {
      return;  // no thread to be had: `termina` writes the whole plan itself
    }
  }
  annunciate_.notify_one();
}

// The thread: the x column as far as it is final, run after run; the rest
// of it and the y column once the whole plan is.
void ScritturaPiano::scrivi() {
  try {
    file_ = std::make_unique<SostituzionePreparata>(destinazione_);
    ByteSink& out = file_->contenuto();
    size_t scritte = 0;
    for (;;) {
      const TabellaLinea* t;
      size_t definitive;
      bool finale;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        annunciate_.wait(lock, [&] { return abbandona_ || finale_ || definitive_ > scritte; });
        if (abbandona_) return;
        t = tabella_;
        definitive = definitive_;
        finale = finale_;
      }
      const size_t righe = t->righe();
      const bool tutta = finale || definitive >= righe;
      const size_t fino = tutta ? righe : definitive;
      immagine_righe(t->x, scritte, fino, out);
      scritte = fino;
      if (!tutta) continue;
      // The y column in runs, so that a compile that ends in an error
      // does not wait for a file it will throw away.
      for (size_t da = 0; da < righe && !abbandona_; da += kRighePerRun)
        immagine_righe(t->y, da, std::min(righe, da + kRighePerRun), out);
      if (abbandona_) return;
      file_->chiudi();
      return;
    }
  } catch (...) {
    errore_ = std::current_exception();
  }
}

std::unique_ptr<SostituzionePreparata> ScritturaPiano::termina(
    const std::optional<TabellaLinea>& tabella) {
  if (!thread_.joinable()) {
    // No row was ever announced, or no thread could be started.
    if (!tabella) return nullptr;
    return std::make_unique<SostituzionePreparata>(
        destinazione_, [&](ByteSink& out) { immagine_tabella_linea(*tabella, out); });
  }
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    finale_ = true;
  }
  annunciate_.notify_one();
  thread_.join();
  if (errore_) std::rethrow_exception(errore_);
  return std::move(file_);
}

}  // namespace scen
