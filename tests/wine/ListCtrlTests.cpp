#include "framework/ListCtrl.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ListCtrlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&classes);
        list.Attach(::CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 400, 300, nullptr, nullptr,
                                      ::GetModuleHandleA(nullptr), nullptr));
        ASSERT_NE(list.m_hWnd, nullptr);
        list.InsertColumn(0, "time");
        list.InsertColumn(1, "details");
    }
    void TearDown() override { ::DestroyWindow(list.Detach()); }

    void AddRow(int index, const char* time, const char* details)
    {
        LVITEMA row{};
        row.mask = LVIF_TEXT;
        row.iItem = index;
        row.pszText = const_cast<char*>(time);
        list.InsertItem(&row);
        list.SetItemText(index, 1, details);
    }

    CListCtrl list;
};

}  // namespace

TEST_F(ListCtrlTest, RowsKeepTheirCellsInInsertionOrder)
{
    AddRow(0, "09:00:00", "first");
    AddRow(1, "09:00:01", "");
    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_STREQ(list.GetItemText(0, 0), "09:00:00");
    EXPECT_STREQ(list.GetItemText(0, 1), "first");
    EXPECT_STREQ(list.GetItemText(1, 1), "");
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(ListCtrlTest, ReadsLongTextsWhole)
{
    for (const size_t length : {254u, 255u, 256u, 511u, 5000u}) {
        const std::string text(length, 'a');
        AddRow(0, "t", text.c_str());
        EXPECT_EQ(list.GetItemText(0, 1).Str(), text) << length;
        list.DeleteAllItems();
    }
}
