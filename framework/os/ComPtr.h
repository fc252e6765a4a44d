// CComPtr: a COM interface pointer that releases its interface on every
// path out of the scope that holds it. Header-only and without exceptions.
#pragma once
#include <assert.h>
#include <objbase.h>

template <class T>
class CComPtr
{
public:
  CComPtr() : p(NULL) {}
  ~CComPtr()
  {
    if (p != NULL)
      p->Release();
  }
  CComPtr(const CComPtr&) = delete;
  CComPtr& operator=(const CComPtr&) = delete;

  // Where CoCreateInstance puts the interface: only while none is held,
  // or the one held would never be released.
  T** operator&()
  {
    assert(p == NULL);
    return &p;
  }
  T* operator->() const { return p; }

  // Another interface iid of the same object into other.
  template <class Q>
  HRESULT QueryInterface(REFIID iid, CComPtr<Q>& other) const
  {
    return p->QueryInterface(iid, reinterpret_cast<void**>(&other));
  }

  T* p;
};

// COM for the current thread while the scope lasts. A thread that already
// runs COM in another mode keeps its own and must not lose it to our
// uninitialise, so only a successful initialise is undone.
class CComScope
{
public:
  CComScope() : m_hr(::CoInitialize(NULL)) {}
  ~CComScope()
  {
    if (SUCCEEDED(m_hr))
      ::CoUninitialize();
  }
  CComScope(const CComScope&) = delete;
  CComScope& operator=(const CComScope&) = delete;

private:
  HRESULT m_hr;
};
