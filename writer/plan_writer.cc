#include "writer/plan_writer.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "model/byte_images.h"

namespace scen {

namespace {

// The y column goes in runs of rows, so that a compile that ends in an
// error does not wait for a file it will throw away.
constexpr size_t kRowsPerRun = size_t{1} << 16;

}  // namespace

PlanWriter::PlanWriter(std::filesystem::path destination, TemporaryFiles* temporaries)
    : destination_(std::move(destination)), temporaries_(temporaries) {
  try {
    thread_ = std::thread([this] { run(); });
  } catch (const std::system_error&) {
    // No thread to be had: `take_file` writes the whole plan itself.
  }
}

PlanWriter::~PlanWriter() {
  if (!thread_.joinable()) return;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    abandoned_ = true;
  }
  announced_.notify_one();
  thread_.join();
}

void PlanWriter::righe_definitive(const TabellaLinea& tabella, size_t righe) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    plan_ = &tabella;
    final_rows_ = righe;
  }
  announced_.notify_one();
}

void PlanWriter::complete(const std::optional<TabellaLinea>& plan) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    complete_ = true;
    plan_ = plan ? &*plan : nullptr;
    final_rows_ = plan ? plan->righe() : 0;
  }
  announced_.notify_one();
}

void PlanWriter::run() noexcept {
  try {
    for (;;) {
      const TabellaLinea* plan;
      size_t final_rows;
      bool complete;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        announced_.wait(lock, [&] { return abandoned_ || complete_ || final_rows_ > x_rows_written_; });
        if (abandoned_) return;
        plan = plan_;
        final_rows = final_rows_;
        complete = complete_;
      }
      if (!plan) return;  // the compile ended without a plan: nothing to write
      write_final(*plan, final_rows, complete);
      if (complete) return;
    }
  } catch (...) {
    error_ = std::current_exception();
  }
}

void PlanWriter::write_final(const TabellaLinea& plan, size_t final_rows, bool whole) {
  if (closed_) return;
  const size_t rows = plan.righe();
  if (!file_) {
    file_ = std::make_unique<SostituzionePreparata>(destination_, temporaries_);
    file_->riserva(2 * rows * kByteSlotMassimo);
  }
  ByteSink& out = file_->contenuto();
  const size_t x_final = whole ? rows : std::min(final_rows, rows);
  immagine_righe(plan.x, x_rows_written_, x_final, out);
  x_rows_written_ = x_final;
  if (x_final < rows) return;
  for (size_t from = 0; from < rows && !abandoned_; from += kRowsPerRun)
    immagine_righe(plan.y, from, std::min(rows, from + kRowsPerRun), out);
  if (abandoned_) return;
  file_->chiudi();
  closed_ = true;
}

std::unique_ptr<SostituzionePreparata> PlanWriter::take_file() {
  if (thread_.joinable()) {
    {
      // Not told that the compile has ended: there is no file to wait for.
      const std::lock_guard<std::mutex> lock(mutex_);
      if (!complete_) abandoned_ = true;
    }
    announced_.notify_one();
    thread_.join();
    if (error_) std::rethrow_exception(error_);
  } else if (complete_ && plan_) {
    write_final(*plan_, final_rows_, true);
  }
  if (!complete_ || !plan_) {
    file_.reset();  // and its temporary with it
    return nullptr;
  }
  return std::move(file_);
}

}  // namespace scen
