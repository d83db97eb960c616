#include "framework/CObject.h"

#include <gtest/gtest.h>

#include <memory>

// At namespace scope: the IMPLEMENT macros define static members outside the class.
class CTestShape : public CObject {
    DECLARE_DYNAMIC(CTestShape)
public:
    int m_nSides = 0;
};

class CTestSquare : public CTestShape {
    DECLARE_DYNCREATE(CTestSquare)
public:
    CTestSquare() { m_nSides = 4; }
};

class CTestBox : public CTestSquare {
    DECLARE_DYNCREATE(CTestBox)
public:
    double m_depth = 1.5;
};

class CTestLabel : public CObject {
    DECLARE_DYNCREATE(CTestLabel)
};

IMPLEMENT_DYNAMIC(CTestShape, CObject)
IMPLEMENT_DYNCREATE(CTestSquare, CTestShape)
IMPLEMENT_DYNCREATE(CTestBox, CTestSquare)
IMPLEMENT_DYNCREATE(CTestLabel, CObject)

namespace {

TEST(CObjectTest, RuntimeClassDescribesTheClass) {
    struct Case {
        const CRuntimeClass* cls;
        const char* name;
        const CRuntimeClass* base;
    };
    const Case cases[] = {
        {RUNTIME_CLASS(CObject), "CObject", nullptr},
        {RUNTIME_CLASS(CTestShape), "CTestShape", RUNTIME_CLASS(CObject)},
        {RUNTIME_CLASS(CTestSquare), "CTestSquare", RUNTIME_CLASS(CTestShape)},
        {RUNTIME_CLASS(CTestBox), "CTestBox", RUNTIME_CLASS(CTestSquare)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_STREQ(c.cls->m_lpszClassName, c.name);
        EXPECT_EQ(c.cls->m_pBaseClass, c.base);
    }

    // The virtual GetRuntimeClass gives the most derived class through a base pointer.
    const std::unique_ptr<CObject> box(new CTestBox);
    EXPECT_EQ(box->GetRuntimeClass(), RUNTIME_CLASS(CTestBox));
}

TEST(CObjectTest, IsKindOfFollowsTheBaseChain) {
    CTestBox box;
    CTestSquare square;
    CTestLabel label;
    struct Case {
        const CObject* object;
        const CRuntimeClass* cls;
        bool expected;
    };
    const Case cases[] = {
        {&box, RUNTIME_CLASS(CTestBox), true},      {&box, RUNTIME_CLASS(CTestSquare), true},
        {&box, RUNTIME_CLASS(CTestShape), true},    {&box, RUNTIME_CLASS(CObject), true},
        {&box, RUNTIME_CLASS(CTestLabel), false},   {&box, nullptr, false},
        {&square, RUNTIME_CLASS(CTestBox), false},  {&square, RUNTIME_CLASS(CTestShape), true},
        {&label, RUNTIME_CLASS(CTestShape), false}, {&label, RUNTIME_CLASS(CObject), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.object->GetRuntimeClass()->m_lpszClassName << " is a "
                                        << (c.cls ? c.cls->m_lpszClassName : "null"));
        EXPECT_EQ(c.object->IsKindOf(c.cls), c.expected);
    }
}

TEST(CObjectTest, CreateObjectByNameMakesTheNamedClass) {
    const std::unique_ptr<CObject> square(CRuntimeClass::CreateObject("CTestSquare"));
    ASSERT_NE(square, nullptr);
    EXPECT_EQ(square->GetRuntimeClass(), RUNTIME_CLASS(CTestSquare));
    const auto* asSquare = dynamic_cast<CTestSquare*>(square.get());
    ASSERT_NE(asSquare, nullptr);
    EXPECT_EQ(asSquare->m_nSides, 4);
    EXPECT_EQ(dynamic_cast<CTestBox*>(square.get()), nullptr);

    const std::unique_ptr<CObject> box(CRuntimeClass::CreateObject("CTestBox"));
    const auto* asBox = dynamic_cast<CTestBox*>(box.get());
    ASSERT_NE(asBox, nullptr);
    EXPECT_EQ(asBox->m_nSides, 4);
    EXPECT_EQ(asBox->m_depth, 1.5);
}

TEST(CObjectTest, CreateObjectGivesNullWithoutACreator) {
    const char* const names[] = {
        "CTestShape",    // DECLARE_DYNAMIC only
        "CObject",       // abstract root
        "CTestMissing",  // never registered
        "ctestsquare",   // names are case-sensitive
        "",
    };
    for (const char* name : names) {
        SCOPED_TRACE(name);
        EXPECT_EQ(CRuntimeClass::CreateObject(name), nullptr);
    }
    EXPECT_EQ(CRuntimeClass::CreateObject(nullptr), nullptr);
}

}  // namespace
