#include "framework/ListCtrl.h"

#include <vector>

int CListCtrl::InsertColumn(int column, const char* heading, int format, int width)
{
    LVCOLUMNA description{};
    description.mask = LVCF_TEXT | LVCF_FMT;
    description.fmt = format;
    description.pszText = const_cast<char*>(heading);
    if (width != -1) {
        description.mask |= LVCF_WIDTH;
        description.cx = width;
    }
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&description)));
}

BOOL CListCtrl::SetColumnWidth(int column, int width)
{
    return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)));
}

int CListCtrl::InsertItem(const LVITEMA* item)
{
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CListCtrl::SetItemText(int item, int subItem, const char* text)
{
    LVITEMA description{};
    description.iSubItem = subItem;
    description.pszText = const_cast<char*>(text);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&description)));
}

BOOL CListCtrl::EnsureVisible(int item, BOOL partialOK)
{
    return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), MAKELPARAM(partialOK, 0)));
}

BOOL CListCtrl::DeleteAllItems()
{
    return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS));
}

int CListCtrl::GetItemCount() const
{
    return static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
}

CString CListCtrl::GetItemText(int item, int subItem) const
{
    // The control copies at most the buffer size less one and says how much it
    // copied, so a text that fills the buffer may be longer: grow and ask again.
    std::vector<char> buffer(256);
    for (;;) {
        LVITEMA description{};
        description.iSubItem = subItem;
        description.pszText = buffer.data();
        description.cchTextMax = static_cast<int>(buffer.size());
        const auto copied = static_cast<int>(
            SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&description)));
        if (copied < static_cast<int>(buffer.size()) - 1)
            return CString(buffer.data(), copied);
        buffer.resize(buffer.size() * 2);
    }
}
