// CMenu: a view of a menu handle (the program only extends the system menu,
// which belongs to its window).
#pragma once

#include <windows.h>

class CMenu
{
public:
    CMenu() = default;
    explicit CMenu(HMENU menu) : m_hMenu(menu) {}

    HMENU m_hMenu = nullptr;

    HMENU GetSafeHmenu() const { return m_hMenu; }
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr)
    {
        return m_hMenu != nullptr && ::AppendMenuA(m_hMenu, flags, id, text);
    }
};
