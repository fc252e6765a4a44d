// CObject and the run-time class record behind IsKindOf.
#pragma once
#include "framework/Platform.h"

class CObject;

struct CRuntimeClass
{
  const char* m_lpszClassName;
  const CRuntimeClass* m_pBaseClass;
  bool IsDerivedFrom(const CRuntimeClass* pBase) const;
};

class CObject
{
public:
  virtual const CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() {}
  bool IsKindOf(const CRuntimeClass* pClass) const { return GetRuntimeClass()->IsDerivedFrom(pClass); }
  static const CRuntimeClass classCObject;

protected:
  CObject() {}
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)             \
public:                                         \
  static const CRuntimeClass class##class_name; \
  const CRuntimeClass* GetRuntimeClass() const override;

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                               \
  const CRuntimeClass class_name::class##class_name = {#class_name, RUNTIME_CLASS(base_class_name)}; \
  const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }
