#include "ClassRegistration.h"

#include <utility>

CClassRegistration::~CClassRegistration()
{
    Revoke();
}

CClassRegistration::CClassRegistration(CClassRegistration&& other) noexcept
    : m_cookie(std::exchange(other.m_cookie, 0))
{
}

CClassRegistration& CClassRegistration::operator=(CClassRegistration&& other) noexcept
{
    if (this != &other)
    {
        Revoke();
        m_cookie = std::exchange(other.m_cookie, 0);
    }
    return *this;
}

HRESULT CClassRegistration::Register(REFCLSID clsid, IUnknown* factory)
{
    Revoke();
    return CoRegisterClassObject(clsid, factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE,
                                 &m_cookie);
}

void CClassRegistration::Revoke() noexcept
{
    if (DWORD cookie = std::exchange(m_cookie, 0))
        CoRevokeClassObject(cookie);
}
