// The snap-in's data objects and the component's dispatch as the console host sees them:
// clipboard renderings, refused formats, foreign data objects, the hints views act on, and the
// summary and delete-verb rules of multiple selections.
#include <gtest/gtest.h>

#include "mmc/host/data_objects.h"
#include "mmc/host/view.h"
#include "module/snapin/multiple_delete.h"
#include "module/snapin/node_types.h"
#include "module/snapin/result_node_types.h"
#include "platform/com/strings.h"
#include "tests/support/snapin_console.h"

namespace pw::test {
namespace {

// A data object of nobody's: it renders no format.
class ForeignDataObject final : public ComObject<IDataObject> {
 public:
  HRESULT GetData(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
  HRESULT GetDataHere(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
  HRESULT QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
  HRESULT GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
};

class DataObjectTest : public SnapinConsoleTest {
 protected:
  void SetUp() override {
    MakeInstallation();
    ASSERT_TRUE(AddSnapIn().ok());
  }
};

// The root's data object renders its name, node type (16 bytes and 78 bytes of text), the
// snap-in's class, and FALSE for the multi-select flag; other formats are refused.
TEST_F(DataObjectTest, RendersTheMmcFormatsAndRefusesOthers) {
  ASSERT_TRUE(
      session()
          .Run([](pw::mmc::Console& console) -> HRESULT {
            ComPtr<IDataObject> data;
            EXPECT_EQ(console.component_data()->QueryDataObject(0, CCT_SCOPE, data.GetAddressOf()),
                      S_OK);
            std::string bytes;
            EXPECT_EQ(pw::mmc::ReadDataHere(data.Get(), CCF_SZNODETYPE, &bytes), S_OK);
            const std::string text = pw::ToUtf16Le(GuidToString(kNodeTypeStaticNode));
            EXPECT_EQ(bytes.substr(0, 78), text + std::string(2, '\0'));
            EXPECT_EQ(text.size(), 76u);
            EXPECT_EQ(pw::mmc::ReadNodeType(data.Get()), kNodeTypeStaticNode);
            EXPECT_EQ(pw::mmc::ReadDisplayName(data.Get()), L"Pagewell Configuration (Local)");
            EXPECT_FALSE(pw::mmc::IsMultiSelectDataObject(data.Get()));
            EXPECT_EQ(pw::mmc::ReadDataHere(data.Get(), CCF_WINDOW_TITLE, &bytes), DV_E_FORMATETC);
            EXPECT_EQ(pw::mmc::ReadData(data.Get(), CCF_DISPLAY_NAME, &bytes), DV_E_FORMATETC);
            EXPECT_EQ(pw::mmc::ReadData(data.Get(), CCF_OBJECT_TYPES_IN_MULTI_SELECT, &bytes),
                      DV_E_FORMATETC);
            // Special cookies name no node.
            ComPtr<IDataObject> none;
            EXPECT_EQ(console.component_data()->QueryDataObject(-3, CCT_SCOPE, none.GetAddressOf()),
                      E_FAIL);
            return S_OK;
          })
          .ok());
}

// Notifications with another snap-in's data object are left to the console (S_FALSE); the
// scope side refuses special cookies.
TEST_F(DataObjectTest, ForeignDataObjectsAreNotHandled) {
  ASSERT_TRUE(
      session()
          .Run([](pw::mmc::Console& console) -> HRESULT {
            ComPtr<ForeignDataObject> foreign = MakeComObject<ForeignDataObject>();
            IComponentData* data = console.component_data();
            EXPECT_EQ(data->Notify(foreign.Get(), MMCN_EXPAND, TRUE, 1), S_FALSE);
            IComponent* component = console.views().front()->component();
            EXPECT_EQ(component->Notify(foreign.Get(), MMCN_SELECT, MAKELONG(0, 1), 0), S_FALSE);
            EXPECT_EQ(component->Notify(foreign.Get(), MMCN_DELETE, 0, 0), S_FALSE);
            EXPECT_EQ(
                component->Notify(foreign.Get(), MMCN_RENAME, 0, reinterpret_cast<LPARAM>(L"x")),
                S_FALSE);
            EXPECT_EQ(data->CompareObjects(foreign.Get(), foreign.Get()), S_FALSE);
            return S_OK;
          })
          .ok());
}

// The view-change hint 1000 selects the scope item passed as data in every view.
TEST_F(DataObjectTest, Hint1000SelectsTheScopeItem) {
  const HSCOPEITEM routing = FindScopeItem({L"Routing"});
  ASSERT_NE(routing, 0);
  ASSERT_TRUE(session()
                  .Run([routing](pw::mmc::Console& console) -> HRESULT {
                    return console.views().front()->component()->Notify(nullptr, MMCN_VIEW_CHANGE,
                                                                        routing, 1000);
                  })
                  .ok());
  EXPECT_EQ(State().views.front().selected_scope_item, routing);
}

// The summary of a multiple delete: errors first, then exactly one kept-items message, each
// with its icon.
TEST(MultipleDeleteSummaryTest, ShowsTheErrorThenTheFirstMatchingKeptMessage) {
  using Messages = std::vector<DeleteSummaryMessage>;
  auto ids = [](const Messages& messages) {
    std::vector<std::pair<UINT, UINT>> result;
    for (const auto& message : messages) result.emplace_back(message.text_id, message.icon);
    return result;
  };
  using Pairs = std::vector<std::pair<UINT, UINT>>;
  // Five users, one with its sheet open: four deleted, string 55 with the warning icon.
  EXPECT_EQ(ids(SummariseMultipleDelete({S_OK, S_OK, 1, S_OK, S_OK})),
            (Pairs{{55, MB_ICONWARNING}}));
  EXPECT_EQ(ids(SummariseMultipleDelete({1, 2, S_OK})), (Pairs{{406, MB_ICONINFORMATION}}));
  EXPECT_EQ(ids(SummariseMultipleDelete({3, 1})), (Pairs{{407, MB_ICONINFORMATION}}));
  EXPECT_EQ(ids(SummariseMultipleDelete({2, 3})), (Pairs{{404, MB_ICONINFORMATION}}));
  EXPECT_EQ(ids(SummariseMultipleDelete({3})), (Pairs{{405, MB_ICONINFORMATION}}));
  EXPECT_EQ(ids(SummariseMultipleDelete({E_FAIL, 1})),
            (Pairs{{417, MB_ICONERROR}, {55, MB_ICONWARNING}}));
  EXPECT_EQ(ids(SummariseMultipleDelete({E_FAIL})), (Pairs{{417, MB_ICONERROR}}));
  EXPECT_TRUE(SummariseMultipleDelete({S_OK, S_OK}).empty());
}

// Only selections made entirely of deletable kinds enable the delete verb; call blocking
// entries never do.
TEST(MultipleDeleteSummaryTest, DeleteVerbOnlyForDeletableKinds) {
  EXPECT_TRUE(SelectionIsDeletable({kNodeTypeCSIDNode}));
  EXPECT_TRUE(SelectionIsDeletable({kNodeTypeSingleUserNode, kNodeTypeAdministratorNode}));
  EXPECT_FALSE(SelectionIsDeletable({kNodeTypeSingleCallBlockNode}));
  EXPECT_FALSE(SelectionIsDeletable({kNodeTypeCSIDNode, kNodeTypeSingleCallBlockNode}));
  EXPECT_FALSE(SelectionIsDeletable({kNodeTypeAutoPrintSettingNode}));
  EXPECT_FALSE(SelectionIsDeletable({}));
}

}  // namespace
}  // namespace pw::test
