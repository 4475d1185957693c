// The track plan's file, <route>_linea.dat: the x column's slots, then the
// y column's. Written on a thread of the writer's own, so that it goes on
// beside the caller: while the compile computes the plan, when the compile
// announces the rows that will not change any more (the x column as far as
// it is final), and once the compile has ended (the rest of x, and all of
// y, while the caller writes the other files). Where no thread can be had,
// the whole file is written when it is asked for.
//
// Its temporary file is created when there is something to write: with the
// first rows announced, or when the compile has ended.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "compiler/plan_progress.h"
#include "model/model.h"
#include "util/file_replace.h"

namespace scen {

class PlanWriter final : public OsservatorePiano {
 public:
  // With `temporaries`, the file's temporary is listed there while it exists.
  explicit PlanWriter(std::filesystem::path destination, TemporaryFiles* temporaries = nullptr);
  // Unless `take_file` ran: stops the thread and removes the temporary.
  ~PlanWriter() override;
  PlanWriter(const PlanWriter&) = delete;
  PlanWriter& operator=(const PlanWriter&) = delete;

  // From the compile, on its thread: rows 0 .. righe - 1 of `tabella` are
  // final.
  void righe_definitive(const TabellaLinea& tabella, size_t righe) override;

  // The compile has ended: `plan` is final as it stands, or there is none.
  // The rest of the file is written from now on, beside the caller. `plan`
  // must stay as it is until `take_file` returns.
  void complete(const std::optional<TabellaLinea>& plan);
  // Waits until the file is written and closed and returns it, ready to be
  // renamed over the destination; null when there is no plan (or `complete`
  // was not called). Throws ErroreFile.
  std::unique_ptr<SostituzionePreparata> take_file();

 private:
  // The work of the thread.
  void run() noexcept;
  // Writes what `plan`'s first `final_rows` rows allow and is not written
  // yet: the x column as far as it goes; with `whole`, all of the rest, and
  // closes the file. Throws ErroreFile.
  void write_final(const TabellaLinea& plan, size_t final_rows, bool whole);

  const std::filesystem::path destination_;
  TemporaryFiles* const temporaries_;
  std::mutex mutex_;
  std::condition_variable announced_;
  // Guarded by mutex_: the plan, how many of its rows are final, whether
  // the compile has ended.
  const TabellaLinea* plan_ = nullptr;
  size_t final_rows_ = 0;
  bool complete_ = false;
  std::atomic<bool> abandoned_ = false;
  // The writing's, on the thread until it is joined: the file, how many
  // rows of x are in it, whether it is whole and closed; what stopped the
  // writing.
  std::unique_ptr<SostituzionePreparata> file_;
  size_t x_rows_written_ = 0;
  bool closed_ = false;
  std::exception_ptr error_;
  // Not joinable when no thread could be had.
  std::thread thread_;
};

}  // namespace scen
