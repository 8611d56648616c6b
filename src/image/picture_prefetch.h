#pragma once
// Pictures made ahead on one worker thread, so that a step through a
// slideshow never waits for a decode. Only the keys last wanted are kept: at
// most as many pictures as wanted keys, plus the one being made.

#include <QImage>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

class PicturePrefetch {
 public:
  // make runs on the worker (and in Take); ready(key) on the worker after
  // each picture it made, whether or not it is still wanted.
  PicturePrefetch(std::function<QImage(int key)> make, std::function<void(int key)> ready);
  // Stops and joins the worker; a picture being made is finished first.
  ~PicturePrefetch();
  PicturePrefetch(const PicturePrefetch&) = delete;
  PicturePrefetch& operator=(const PicturePrefetch&) = delete;

  // The keys to make and keep, first things first; any other is dropped.
  void Want(std::vector<int> keys);
  // Key's picture: waits while the worker makes it, makes it here when it
  // was not started (and keeps it when wanted).
  QImage Take(int key);
  bool IsReady(int key) const;
  std::vector<int> Held() const;

 private:
  void Run();
  int NextKey() const;
  bool IsWanted(int key) const;

  std::function<QImage(int)> make_;
  std::function<void(int)> ready_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<int> wanted_;
  std::map<int, QImage> held_;
  int busy_ = -1;  // the key being made on the worker; -1: none
  bool stop_ = false;
  std::thread worker_;
};
