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

CObject* CRuntimeClass::CreateObject() const {
    return m_pfnCreateObject != nullptr ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    if (base == nullptr)
        return false;
    for (const CRuntimeClass* cls = this; cls != nullptr; cls = cls->m_pBaseClass) {
        if (cls == base)
            return true;
    }
    return false;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* className) {
    if (className == nullptr)
        return nullptr;
    for (const CRuntimeClassRegistrar* reg = g_pFirstRegistrar; reg != nullptr;
         reg = reg->m_pNext) {
        if (std::strcmp(reg->m_pClass->m_lpszClassName, className) == 0)
            return reg->m_pClass;
    }
    return nullptr;
}

CObject* CRuntimeClass::CreateObject(const char* className) {
    const CRuntimeClass* cls = FromName(className);
    return cls != nullptr ? cls->CreateObject() : nullptr;
}

const CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), nullptr,
                                             nullptr};

static const CRuntimeClassRegistrar velmoraRegistrar_CObject(RUNTIME_CLASS(CObject));

CObject::~CObject() = default;

const CRuntimeClass* CObject::GetRuntimeClass() const { return RUNTIME_CLASS(CObject); }

bool CObject::IsKindOf(const CRuntimeClass* pClass) const {
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}
