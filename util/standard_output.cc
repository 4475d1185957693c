#include "util/standard_output.h"

#include "platform/standard_streams.h"
#include "util/file_replace.h"

namespace scen {

namespace {

void scrivi_tutto(std::string_view blocco) {
  std::string why;
  if (!platform::write_descriptor(platform::kStandardOutput, blocco, why)) throw ErroreFile("standard output", why);
}

}  // namespace

void scrivi_file_o_uscita(const std::filesystem::path& destinazione,
                          const std::function<void(ByteSink&)>& contenuto) {
  if (destinazione != "-") {
    sostituisci_file(destinazione, contenuto);
    return;
  }
  ByteSink uscita(scrivi_tutto);
  contenuto(uscita);
  uscita.flush();
}

}  // namespace scen
