// Resource identifiers shared by VantrelRemote.rc and the C++ sources.
// Plain #defines only: this file is read by the resource compiler too.
#ifndef VANTRELREMOTE_RES_RESOURCE_H
#define VANTRELREMOTE_RES_RESOURCE_H

// Dialog templates
#define IDD_ABOUTBOX                    100
#define IDD_VANTRELREMOTE_DIALOG        102

// Strings
#define IDS_ABOUTBOX                    101   // system-menu entry for the About box

// Icons
#define IDR_MAINFRAME                   128   // application icon group (32x32 and 16x16)

// Controls of the main dialog
#define IDC_QUERY_HARDWARE_ID           1000  // hidden service button
#define IDC_EVENT_LOG                   1001  // report-style list view
#define IDC_CLEAR                       1002
#define IDC_SAVE                        1003

// Controls that are never addressed by id
#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif

#endif // VANTRELREMOTE_RES_RESOURCE_H
