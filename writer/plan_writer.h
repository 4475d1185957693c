// The track plan's file, written while the compile goes on. The compile
// announces the plan's rows as they become final; a thread of its own,
// started with the object beside the compile's, writes the x column's slots as far as they go,
// and, once the whole plan is final, the rest of x and the y column.
// Computing the plan and writing it then overlap, as do writing the y
// column and compiling the train.
#pragma once

#include <atomic>
#include <condition_variable>
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

class ScritturaPiano final : public OsservatorePiano {
 public:
  explicit ScritturaPiano(std::filesystem::path destinazione);
  // Unless `termina` ran: stops the thread and removes the temporary.
  ~ScritturaPiano() override;
  ScritturaPiano(const ScritturaPiano&) = delete;
  ScritturaPiano& operator=(const ScritturaPiano&) = delete;

  void righe_definitive(const TabellaLinea& tabella, size_t righe) override;

  // The compile has ended and `tabella` is final as it stands. Waits until
  // the file is written and closed and returns it, ready to be renamed
  // over the destination; null when there is no plan. Throws ErroreFile.
  std::unique_ptr<SostituzionePreparata> termina(const std::optional<TabellaLinea>& tabella);

 private:
  void scrivi();

  const std::filesystem::path destinazione_;
  std::mutex mutex_;
  std::condition_variable annunciate_;
  // Guarded by mutex_: the plan, how many of its rows are final, whether
  // all of it is.
  const TabellaLinea* tabella_ = nullptr;
  size_t definitive_ = 0;
  bool finale_ = false;
  std::atomic<bool> abbandona_ = false;
  // The thread's, until it is joined.
  std::unique_ptr<SostituzionePreparata> file_;
  std::exception_ptr errore_;
  // Empty when no thread could be had.
  std::optional<std::jthread> thread_;
};

}  // namespace scen
