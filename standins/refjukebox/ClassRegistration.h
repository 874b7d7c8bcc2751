#pragma once
#include <objbase.h>

// One class object made available to other processes; revoked on destruction,
// so that clients arriving after the server decided to quit start a new one.
class CClassRegistration
{
public:
    CClassRegistration() noexcept = default;
    ~CClassRegistration();

    CClassRegistration(CClassRegistration&& other) noexcept;
    CClassRegistration& operator=(CClassRegistration&& other) noexcept;
    CClassRegistration(const CClassRegistration&) = delete;
    CClassRegistration& operator=(const CClassRegistration&) = delete;

    // CoRegisterClassObject for a local server that any number of clients share.
    HRESULT Register(REFCLSID clsid, IUnknown* factory);
    void Revoke() noexcept;

private:
    DWORD m_cookie = 0;
};
