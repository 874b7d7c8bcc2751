#include "module/OutboxWatch.h"

void OutboxWatch::Taken()
{
    m_inFlight.reset();
    m_stalled = false;
}

void OutboxWatch::Missed(std::uint32_t length)
{
    m_inFlight = InFlight{length, Clock::time_point{}, true};
    m_stalled = true;
}

void OutboxWatch::Rung(std::uint32_t length, Clock::time_point at)
{
    m_inFlight = InFlight{length, at + kBound, false};
}

OutboxWatch::Decision OutboxWatch::Next(std::optional<unsigned> count, Clock::time_point now)
{
    Decision decision;
    if (m_inFlight) {
        if (count && *count >= m_inFlight->length) {
            Taken();
        } else if (!m_inFlight->missed) {
            if (now < m_inFlight->bound)
                return decision;
            m_inFlight->missed = true;
            m_stalled = true;
            decision.missed = Miss{count.value_or(0), m_inFlight->length};
        }
    }
    if (!m_held.Empty())
        decision.step = m_stalled ? Step::Probe : Step::Deliver;
    return decision;
}

bool OutboxWatch::NeedsLook() const
{
    return !m_held.Empty() || (m_inFlight && !m_inFlight->missed);
}

std::size_t OutboxWatch::Forget()
{
    m_inFlight.reset();
    m_stalled = false;
    return m_held.DropAll();
}
