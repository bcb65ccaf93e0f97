#pragma once
// A value that one thread replaces whole while others read it: readers get
// an immutable snapshot that stays alive as long as they hold it, so they
// never see a torn value or freed memory.
#include <atomic>
#include <memory>

namespace corvane {

template <typename T>
class SharedValue {
 public:
  using Snapshot = std::shared_ptr<const T>;

  explicit SharedValue(T initial = T{}) : value_(std::make_shared<const T>(std::move(initial))) {}
  SharedValue(const SharedValue&) = delete;
  SharedValue& operator=(const SharedValue&) = delete;

  Snapshot Load() const { return value_.load(std::memory_order_acquire); }
  T Get() const { return *Load(); }
  void Set(T value) { value_.store(std::make_shared<const T>(std::move(value)), std::memory_order_release); }

 private:
  std::atomic<std::shared_ptr<const T>> value_;
};

}  // namespace corvane
