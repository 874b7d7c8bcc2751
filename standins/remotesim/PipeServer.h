// Serves the simulated devices' named pipes from one thread with a completion
// port: keeps instances listening for opens, notices clients that close, and
// writes reports to the connected ones. All pipe I/O is issued on that thread,
// so that no other thread's end can cancel it; the public calls run there and
// wait for it.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "framework/UniqueHandle.h"
#include "standins/remotesim/SimulatedDeviceSpec.h"

class PipeServer
{
public:
    PipeServer();
    ~PipeServer();  // closes every pipe
    PipeServer(const PipeServer&) = delete;
    PipeServer& operator=(const PipeServer&) = delete;

    // opens false: no pipe at all, so that every open fails.
    void AddDevice(SimulatedDeviceId id, const std::string& pipePath, bool opens);
    // Closes every instance: a client's outstanding read completes with
    // ERROR_BROKEN_PIPE, and so does every later read.
    void RemoveDevice(SimulatedDeviceId id);
    // Disconnects every client: its outstanding read completes with
    // ERROR_PIPE_NOT_CONNECTED, and so does every later read; new opens work.
    void BreakConnections(SimulatedDeviceId id);
    // New opens fail while set.
    void RefuseOpens(SimulatedDeviceId id, bool refuse);
    // Reports wait, in order, while set.
    void Stall(SimulatedDeviceId id, bool stall);
    // While set, every read a client starts completes at once with a single
    // byte instead of a report, as a failing device's reads complete without
    // one; the client stays connected.
    void FailReads(SimulatedDeviceId id, bool fail);
    // Reads failed that way since the device was added.
    std::size_t FailedReads(SimulatedDeviceId id);
    // copies writes of the report to each connected client, in one call of
    // the serving thread; false when no client is connected.
    bool Write(SimulatedDeviceId id, const std::vector<std::uint8_t>& report, std::size_t copies = 1);
    std::size_t Connections(SimulatedDeviceId id);
    // Reports written and not yet read by the client they went to.
    std::size_t UnreadReports(SimulatedDeviceId id);
    // When the latest report went to the pipes: the performance counter, in
    // ticks.
    long long LastWriteTicks() const { return m_lastWriteTicks; }

private:
    enum class OperationKind;
    struct Operation;
    struct Instance;
    struct Device;

    template <class Action>
    auto Call(Action action) -> decltype(action());
    template <class Result, class Action>
    Result WithDevice(SimulatedDeviceId id, Result fallback, Action action);
    void Serve() noexcept;
    void RunCommands();
    void CloseAll();
    void Completed(Operation& operation, DWORD error);
    DWORD Issue(Instance& instance, OperationKind kind, std::vector<std::uint8_t> buffer);
    void Forget(Instance& instance, const Operation& operation);
    void TopUpListening(SimulatedDeviceId id, Device& device);
    void NoteNewClients(Device& device);
    bool Listen(SimulatedDeviceId id, Device& device);
    bool Watch(Instance& instance);
    void FailNextRead(const Device& device, Instance& instance);
    void WriteNow(Device& device, const std::vector<std::uint8_t>& report);
    void Retire(Device& device, const Instance& instance);
    void RetireAll(Device& device);
    Device* Find(SimulatedDeviceId id);
    static std::vector<const Instance*> Instances(const Device& device, bool connected);

    UniqueHandle m_port;
    std::mutex m_commandMutex;
    std::deque<std::function<void()>> m_commands;
    // The rest belongs to the serving thread.
    std::map<SimulatedDeviceId, Device> m_devices;
    // Closed instances whose operations have yet to come back.
    std::vector<std::unique_ptr<Instance>> m_retired;
    bool m_stopping = false;
    std::chrono::steady_clock::time_point m_stopLimit;
    std::atomic<long long> m_lastWriteTicks{0};
    std::thread m_thread;
};
