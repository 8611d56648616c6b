#pragma once
// Makes every file write of this process beyond a size fail (EFBIG) while it lives. Unlike a
// read-only folder this fails for root too, so a failed save can be tested anywhere. POSIX only.
//
// The limit also raises SIGXFSZ, which ends a process that does not ignore
// it. By default the signal is ignored while the limit lives; a test of what
// the program itself does with it leaves the signal as the program set it.

#include <sys/resource.h>

#include <csignal>

class FileSizeLimit {
 public:
  enum class Signal { Ignored, AsTheProgramSetIt };

  explicit FileSizeLimit(rlim_t bytes, Signal signal = Signal::Ignored)
      : keepsSignal_(signal == Signal::AsTheProgramSetIt) {
    getrlimit(RLIMIT_FSIZE, &old_);
    // Report EFBIG instead of ending the process.
    if (!keepsSignal_) oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    if (!keepsSignal_) std::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  bool keepsSignal_;
  rlimit old_{};
  void (*oldHandler_)(int) = nullptr;
};
