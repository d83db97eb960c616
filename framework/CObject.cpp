#include "framework/CObject.h"

#include <cstring>

namespace {

// Head of the registry. constinit: it is null before any dynamic initialisation runs, whichever
// translation unit's registrars run first.
constinit const CRuntimeClassRegistrar* g_pFirstRegistrar = nullptr;

}  // namespace

CRuntimeClassRegistrar::CRuntimeClassRegistrar(const CRuntimeClass* pClass)
    : m_pClass(pClass), m_pNext(g_pFirstRegistrar) {
    g_pFirstRegistrar = this;
}

CObject* CRuntimeClass::CreateObject(const char* className) {
    if (className == nullptr)
        return nullptr;
    for (const CRuntimeClassRegistrar* reg = g_pFirstRegistrar; reg != nullptr;
         reg = reg->m_pNext) {
        const CRuntimeClass* cls = reg->m_pClass;
        if (std::strcmp(cls->m_lpszClassName, className) == 0)
            return cls->m_pfnCreateObject != nullptr ? cls->m_pfnCreateObject() : nullptr;
    }
    return nullptr;
}

const CRuntimeClass CObject::classCObject = {"CObject", nullptr, nullptr};

static const CRuntimeClassRegistrar velmoraRegistrar_CObject(RUNTIME_CLASS(CObject));

CObject::~CObject() = default;

const CRuntimeClass* CObject::GetRuntimeClass() const { return RUNTIME_CLASS(CObject); }

bool CObject::IsKindOf(const CRuntimeClass* pClass) const {
    if (pClass == nullptr)
        return false;
    for (const CRuntimeClass* cls = GetRuntimeClass(); cls != nullptr; cls = cls->m_pBaseClass) {
        if (cls == pClass)
            return true;
    }
    return false;
}
