// CComPtr: a COM interface pointer that releases its interface on every
// path out of the scope that holds it. Header-only and without exceptions.
#pragma once
#include <stddef.h>

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

  // Where CoCreateInstance or QueryInterface puts the interface; only while
  // none is held.
  T** operator&() { return &p; }
  T* operator->() const { return p; }

  T* p;
};
