#include "image/picture_prefetch.h"

#include <algorithm>

PicturePrefetch::PicturePrefetch(std::function<QImage(int)> make, std::function<void(int)> ready)
    : make_(std::move(make)), ready_(std::move(ready)), worker_([this] { Run(); }) {}

PicturePrefetch::~PicturePrefetch() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  worker_.join();
}

void PicturePrefetch::Want(std::vector<int> keys) {
  std::lock_guard<std::mutex> lock(mutex_);
  wanted_ = std::move(keys);
  for (auto it = held_.begin(); it != held_.end();)
    it = IsWanted(it->first) ? std::next(it) : held_.erase(it);
  changed_.notify_all();
}

QImage PicturePrefetch::Take(int key) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [&] { return busy_ != key; });
  const auto found = held_.find(key);
  if (found != held_.end()) return found->second;
  lock.unlock();
  QImage picture = make_(key);
  lock.lock();
  if (IsWanted(key)) held_[key] = picture;
  return picture;
}

bool PicturePrefetch::IsReady(int key) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return held_.count(key) > 0;
}

std::vector<int> PicturePrefetch::Held() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<int> keys;
  for (const auto& entry : held_) keys.push_back(entry.first);
  return keys;
}

bool PicturePrefetch::IsWanted(int key) const {
  return std::find(wanted_.begin(), wanted_.end(), key) != wanted_.end();
}

int PicturePrefetch::NextKey() const {
  for (int key : wanted_)
    if (held_.count(key) == 0 && busy_ != key) return key;
  return -1;
}

void PicturePrefetch::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stop_ || NextKey() >= 0; });
    if (stop_) return;
    const int key = NextKey();
    busy_ = key;
    lock.unlock();
    QImage picture = make_(key);
    lock.lock();
    busy_ = -1;
    if (IsWanted(key)) held_[key] = std::move(picture);
    changed_.notify_all();
    lock.unlock();
    ready_(key);
    lock.lock();
  }
}
