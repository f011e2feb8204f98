// Owning COM interface pointer: one reference, released exactly once.
#pragma once
#include <unknwn.h>

#include <utility>

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
  ComPtr& operator=(ComPtr&& o) noexcept {
    if (this != &o) {
      Reset();
      m_p = std::exchange(o.m_p, nullptr);
    }
    return *this;
  }
  ~ComPtr() { Reset(); }

  T* Get() const { return m_p; }
  T* operator->() const { return m_p; }
  explicit operator bool() const { return m_p != nullptr; }
  // For out-parameters: the old pointer is released first.
  T** Put() {
    Reset();
    return &m_p;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  void Reset() {
    if (m_p) std::exchange(m_p, nullptr)->Release();
  }

 private:
  T* m_p = nullptr;
};
