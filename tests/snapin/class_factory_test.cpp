// The module's exports hand out class factories, which make the snap-in and About objects and
// keep the module loaded while anything of it is alive.
#include <gtest/gtest.h>

#include "mmc/mmc.h"
#include "module/snapin/guids.h"
#include "tests/snapin/module_fixture.h"

namespace {

constexpr CLSID kOtherClass = pw::GuidLiteral("11111111-2222-3333-4444-555555555555");

class ClassFactoryTest : public ::testing::Test {
 protected:
  pw::test::TempRegistry registry_;
  pw::test::TempDir folder_;
  pw::test::ModuleCopy module_{folder_};
};

// DllGetClassObject checks the class, the out pointer and the interface, in that order.
TEST_F(ClassFactoryTest, GetClassObjectChecks) {
  ASSERT_TRUE(module_.loaded());
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(module_.get_class_object(kOtherClass, IID_IClassFactory, &object),
            CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(module_.get_class_object(kOtherClass, IID_IClassFactory, nullptr),
            CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(module_.get_class_object(CLSID_PagewellSnapin, IID_IClassFactory, nullptr), E_FAIL);
  EXPECT_EQ(module_.get_class_object(CLSID_PagewellSnapin, IID_ISnapinAbout, &object),
            E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(module_.can_unload_now(), S_OK);

  for (const IID& iid : {IID_IUnknown, IID_IClassFactory}) {
    pw::ComPtr<IUnknown> factory;
    ASSERT_EQ(
        module_.get_class_object(CLSID_PagewellAbout, iid, factory.ReleaseAndGetVoidAddressOf()),
        S_OK);
    EXPECT_EQ(module_.can_unload_now(), S_FALSE);
    pw::ComPtr<ISnapinAbout> not_a_factory;
    EXPECT_EQ(factory.As(&not_a_factory), E_NOINTERFACE);
  }
  EXPECT_EQ(module_.can_unload_now(), S_OK);
}

// The factory refuses aggregation and creates nothing; each kind makes its own object.
TEST_F(ClassFactoryTest, CreateInstance) {
  ASSERT_TRUE(module_.loaded());
  pw::ComPtr<IClassFactory> factory;
  ASSERT_EQ(module_.get_class_object(CLSID_PagewellSnapin, IID_IClassFactory,
                                     factory.ReleaseAndGetVoidAddressOf()),
            S_OK);
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->CreateInstance(factory.Get(), IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, nullptr), E_FAIL);
  // An interface the object lacks: the new object is destroyed again.
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_ISnapinAbout, &object), E_NOINTERFACE);
  factory.Reset();
  EXPECT_EQ(module_.can_unload_now(), S_OK);

  pw::ComPtr<IUnknown> snapin;
  ASSERT_EQ(module_.Create(CLSID_PagewellSnapin, &snapin), S_OK);
  pw::ComPtr<ISnapinAbout> about;
  ASSERT_EQ(module_.Create(CLSID_PagewellAbout, &about), S_OK);
  pw::ComPtr<ISnapinAbout> about_again;
  EXPECT_EQ(snapin.As(&about_again), E_NOINTERFACE);
  EXPECT_EQ(module_.can_unload_now(), S_FALSE);
  snapin.Reset();
  EXPECT_EQ(module_.can_unload_now(), S_FALSE);
  about.Reset();
  EXPECT_EQ(module_.can_unload_now(), S_OK);
}

// LockServer keeps the module loaded without any object.
TEST_F(ClassFactoryTest, LockServerCounts) {
  ASSERT_TRUE(module_.loaded());
  IClassFactory* factory = nullptr;
  ASSERT_EQ(module_.get_class_object(CLSID_PagewellSnapin, IID_IClassFactory,
                                     reinterpret_cast<void**>(&factory)),
            S_OK);
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  EXPECT_EQ(factory->Release(), 0u);
  EXPECT_EQ(module_.can_unload_now(), S_FALSE);
  // The lock count outlives the factory; a new factory unlocks it.
  ASSERT_EQ(module_.get_class_object(CLSID_PagewellSnapin, IID_IClassFactory,
                                     reinterpret_cast<void**>(&factory)),
            S_OK);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  EXPECT_EQ(factory->Release(), 0u);
  EXPECT_EQ(module_.can_unload_now(), S_OK);
}

}  // namespace
