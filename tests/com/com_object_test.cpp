// ComObject's reference counting and interface table, and ComPtr's ownership rules.
#include <gtest/gtest.h>

#include "platform/com/com_ptr.h"

namespace {

constexpr IID IID_IAnimal = pw::GuidLiteral("6B1C8A52-0D43-4D7E-9A61-2F0E7A3D1C01");
constexpr IID IID_IDog = pw::GuidLiteral("6B1C8A52-0D43-4D7E-9A61-2F0E7A3D1C02");
constexpr IID IID_IOwner = pw::GuidLiteral("6B1C8A52-0D43-4D7E-9A61-2F0E7A3D1C03");
constexpr IID IID_IUnrelated = pw::GuidLiteral("6B1C8A52-0D43-4D7E-9A61-2F0E7A3D1C04");

struct IAnimal : IUnknown {
  static constexpr const IID& kIid = IID_IAnimal;
  virtual int Legs() = 0;
};
struct IDog : IAnimal {
  static constexpr const IID& kIid = IID_IDog;
  using Parent = IAnimal;
  virtual const char* Bark() = 0;
};
struct IOwner : IUnknown {
  static constexpr const IID& kIid = IID_IOwner;
  virtual int Dogs() = 0;
};

int live_objects = 0;

class Dog final : public pw::ComObject<IDog, IOwner> {
 public:
  Dog() { ++live_objects; }
  ~Dog() override { --live_objects; }
  int Legs() override { return 4; }
  const char* Bark() override { return "woof"; }
  int Dogs() override { return 1; }
};

// QueryInterface answers every listed interface, the interfaces they extend and IUnknown,
// with one identity for IUnknown, and nothing else.
TEST(ComObject, QueryInterfaceFollowsTheTable) {
  auto dog = pw::MakeComObject<Dog>();
  ASSERT_TRUE(dog);
  pw::ComPtr<IAnimal> animal;
  ASSERT_EQ(dog.As(&animal), S_OK);
  EXPECT_EQ(animal->Legs(), 4);
  pw::ComPtr<IOwner> owner;
  ASSERT_EQ(animal.As(&owner), S_OK);
  EXPECT_EQ(owner->Dogs(), 1);

  pw::ComPtr<IUnknown> via_owner;
  pw::ComPtr<IUnknown> via_dog;
  ASSERT_EQ(owner.As(&via_owner), S_OK);
  ASSERT_EQ(dog.As(&via_dog), S_OK);
  EXPECT_EQ(via_owner.Get(), via_dog.Get());

  void* unrelated = reinterpret_cast<void*>(1);
  EXPECT_EQ(dog->QueryInterface(IID_IUnrelated, &unrelated), E_NOINTERFACE);
  EXPECT_EQ(unrelated, nullptr);
  EXPECT_EQ(dog->QueryInterface(IID_IDog, nullptr), E_POINTER);
}

// Every reference taken is given back: the object dies with the last ComPtr.
TEST(ComObject, LastReleaseDestroys) {
  {
    auto dog = pw::MakeComObject<Dog>();
    EXPECT_EQ(live_objects, 1);
    pw::ComPtr<IDog> copy = dog;
    pw::ComPtr<IOwner> owner = dog.As<IOwner>();
    pw::ComPtr<IDog> moved = std::move(copy);
    EXPECT_FALSE(copy);
    EXPECT_EQ(dog->AddRef(), 4u);
    EXPECT_EQ(dog->Release(), 3u);
    IDog* raw = nullptr;
    ASSERT_EQ(moved.CopyTo(&raw), S_OK);
    auto adopted = pw::ComPtr<IDog>::Adopt(raw);
    EXPECT_EQ(adopted.Get(), dog.Get());
  }
  EXPECT_EQ(live_objects, 0);
}

}  // namespace
