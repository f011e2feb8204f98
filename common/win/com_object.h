// The IUnknown part of the programs' small COM objects: created with a count of one, deleted when
// the count reaches zero, held by ComPtr. ComObject answers for the one interface it offers; an
// object that offers several derives from ComObjectBase and answers QueryInterface itself.
#pragma once
#include <windows.h>
#include <unknwn.h>

#include <atomic>

template <typename... Interfaces>
class ComObjectBase : public Interfaces... {
 public:
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG n = --m_refs;
    if (n == 0) delete this;
    return n;
  }

 protected:
  virtual ~ComObjectBase() = default;

 private:
  std::atomic<ULONG> m_refs{1};
};

template <typename Interface, const IID* kIid>
class ComObject : public ComObjectBase<Interface> {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == *kIid) {
      *out = static_cast<Interface*>(this);
      this->AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
};
