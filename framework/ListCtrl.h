// CListCtrl: a view of a list-view control (report style in this program).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/String.h"
#include "framework/Wnd.h"

class CListCtrl : public CWnd
{
public:
    int InsertColumn(int column, const char* heading, int format = LVCFMT_LEFT, int width = -1);
    BOOL SetColumnWidth(int column, int width);
    int InsertItem(const LVITEMA* item);
    BOOL SetItemText(int item, int subItem, const char* text);
    BOOL EnsureVisible(int item, BOOL partialOK);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    // The whole text of one cell, however long.
    CString GetItemText(int item, int subItem) const;
};
