// The IUnknown part of a small COM object that offers one interface: created with a count of
// one, deleted when the count reaches zero.
#pragma once
#include <windows.h>
#include <unknwn.h>

#include <atomic>

template <typename Interface, const IID* kIid>
class ComObject : public Interface {
 public:
  virtual ~ComObject() = default;
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == *kIid) {
      *out = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG n = --m_refs;
    if (n == 0) delete this;
    return n;
  }

 private:
  std::atomic<ULONG> m_refs{1};
};
