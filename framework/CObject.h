// CObject: the root of classes that carry run-time class information.
//
// A class declares DECLARE_DYNCREATE in its body and IMPLEMENT_DYNCREATE(class, base) in its
// source file (DECLARE_DYNAMIC and IMPLEMENT_DYNAMIC for a class that is never made by name):
//
//     class CAppStart : public CObject {
//         DECLARE_DYNCREATE(CAppStart)
//     public:
//         CAppStart();
//     };
//
//     IMPLEMENT_DYNCREATE(CAppStart, CObject)
//
// The IMPLEMENT macros also register the class by name, so that
// CRuntimeClass::CreateObject("CAppStart") makes a new CAppStart. Only classes whose source file is
// linked in are registered: an object file of a static library that nothing else references is
// left out by the linker.
#pragma once

class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;        // the C++ class name, "CAppStart"
    CObject* (*m_pfnCreateObject)();    // null unless the class is DECLARE_DYNCREATE
    const CRuntimeClass* m_pBaseClass;  // null for CObject only

    // A new object of the registered class of that name, or null when the name is unknown (or
    // null) or the class has no creator.
    static CObject* CreateObject(const char* className);
};

class CObject {
public:
    virtual ~CObject();
    virtual const CRuntimeClass* GetRuntimeClass() const;
    // True when the object's class is pClass or derives from it; false for null.
    bool IsKindOf(const CRuntimeClass* pClass) const;

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

// Links one class into the registry that CreateObject searches. The IMPLEMENT macros make one
// static instance per class; the list head is constant-initialised, so registering during static
// initialisation does not depend on the order of translation units.
struct CRuntimeClassRegistrar {
    explicit CRuntimeClassRegistrar(const CRuntimeClass* pClass);
    CRuntimeClassRegistrar(const CRuntimeClassRegistrar&) = delete;
    CRuntimeClassRegistrar& operator=(const CRuntimeClassRegistrar&) = delete;

    const CRuntimeClass* const m_pClass;
    const CRuntimeClassRegistrar* m_pNext;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)               \
public:                                           \
    static const CRuntimeClass class##class_name; \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define VELMORA_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, pfnCreate)                     \
    const CRuntimeClass class_name::class##class_name = {#class_name, pfnCreate,                   \
                                                         RUNTIME_CLASS(base_class_name)};          \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); } \
    static const CRuntimeClassRegistrar velmoraRegistrar_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    VELMORA_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)           \
    CObject* class_name::CreateObject() { return new class_name; } \
    VELMORA_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, &class_name::CreateObject)
