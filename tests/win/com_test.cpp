// The COM pointer's reference counting against a counting object, and the
// COM and OLE scopes' balance with CoInitializeEx on fresh threads.
#include <objbase.h>

#include <gtest/gtest.h>

#include <thread>

#include "base/com_win.h"

namespace plakato {
namespace {

struct Counted : IUnknown {
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  ULONG references = 1;  // the one reference a creating call hands out
};

TEST(ComPtrTest, ReleasesOnceWhenDestroyedMovedOverOrPut) {
  Counted first, second, third;
  {
    ComPtr<Counted> a(&first);
    ComPtr<Counted> b(std::move(a));
    EXPECT_EQ(a.get(), nullptr);
    EXPECT_EQ(first.references, 1u);
    b = ComPtr<Counted>(&second);  // lets go of the first
    EXPECT_EQ(first.references, 0u);
    Counted** out = b.put();  // lets go of the second before a call fills it
    EXPECT_EQ(second.references, 0u);
    *out = &third;
    EXPECT_EQ(b.get(), &third);
  }
  EXPECT_EQ(third.references, 0u);
}

// Runs `body` on a thread of its own, where COM starts uninitialised.
void OnFreshThread(auto body) { std::thread(body).join(); }

// A scope balances only the initialisation it made: a nested one, which
// found COM there, leaves it.
template <typename Scope>
class ScopeTest : public testing::Test {};
using Scopes = testing::Types<ComScope, OleScope>;
TYPED_TEST_SUITE(ScopeTest, Scopes);

TYPED_TEST(ScopeTest, UninitialisesOnlyWhatItInitialised) {
  HRESULT outer = E_FAIL, nested = E_FAIL, after = E_FAIL;
  OnFreshThread([&] {
    {
      TypeParam a;
      TypeParam b;
      outer = a.result();
      nested = b.result();
    }
    after = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);  // S_OK: nothing was left initialised
    ::CoUninitialize();
  });
  EXPECT_EQ(outer, S_OK);
  EXPECT_EQ(nested, S_FALSE);
  EXPECT_EQ(after, S_OK);
}

TEST(ComScopeTest, KeepsTheThreadsOwnComInAnotherApartment) {
  HRESULT after = E_FAIL;
  HRESULT other = E_FAIL;
  bool usable = false;
  OnFreshThread([&] {
    ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    {
      ComScope scope;
      other = scope.result();
      usable = scope.usable();
    }
    after = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);  // S_FALSE: the thread's own COM is still there
    ::CoUninitialize();
    ::CoUninitialize();
  });
  EXPECT_EQ(other, RPC_E_CHANGED_MODE);
  EXPECT_TRUE(usable);
  EXPECT_EQ(after, S_FALSE);
}

TEST(OleScopeTest, FailsInTheMultiThreadedApartmentAndKeepsItsCom) {
  HRESULT after = E_FAIL;
  HRESULT other = S_OK;
  OnFreshThread([&] {
    ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    {
      OleScope scope;  // OLE needs the single-threaded apartment: it fails here
      other = scope.result();
    }
    after = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);  // S_FALSE: the thread's own COM is still there
    ::CoUninitialize();
    ::CoUninitialize();
  });
  EXPECT_TRUE(FAILED(other));
  EXPECT_EQ(after, S_FALSE);
}

// Every error text that names an HRESULT writes it the same way.
TEST(HresultTextTest, IsZeroPaddedUpperCaseHexadecimal) {
  EXPECT_EQ(HresultText(E_FAIL), L"0x80004005");
  EXPECT_EQ(HresultText(DRAGDROP_S_CANCEL), L"0x00040101");
  EXPECT_EQ(HresultText(static_cast<HRESULT>(0x8007000Eu)), L"0x8007000E");
}

}  // namespace
}  // namespace plakato
