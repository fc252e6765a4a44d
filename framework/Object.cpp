#include "framework/Object.h"

const CRuntimeClass CObject::classCObject = {"CObject", NULL};

const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBase) const
{
  for (const CRuntimeClass* p = this; p; p = p->m_pBaseClass)
    if (p == pBase)
      return true;
  return false;
}
