#include "standins/remotesim/PipeServer.h"

#include <algorithm>
#include <future>
#include <stdexcept>

namespace {

constexpr ULONG_PTR kPipeKey = 1;
constexpr ULONG_PTR kCommandKey = 2;
constexpr ULONG_PTR kStopKey = 3;
// Opens come in quick succession (the program's read open follows its
// query-only one at once), and each takes an instance.
constexpr std::size_t kListeningInstances = 4;
// How long the end waits for closed pipes' operations to come back.
constexpr auto kStopLimit = std::chrono::seconds(5);
constexpr DWORD kStoppingPollMs = 100;

}  // namespace

// Fail: a single byte instead of a report, for the client's next read.
enum class PipeServer::OperationKind { Connect, Watch, Write, Fail };

struct PipeServer::Operation : OVERLAPPED
{
    Operation(OperationKind kind, Instance& instance, std::vector<std::uint8_t> buffer)
        : OVERLAPPED(), kind(kind), instance(instance), buffer(std::move(buffer))
    {
    }

    OperationKind kind;
    Instance& instance;
    std::vector<std::uint8_t> buffer;  // outlives the I/O
};

struct PipeServer::Instance
{
    Instance(SimulatedDeviceId device, UniqueFile pipe) : device(device), pipe(std::move(pipe)) {}

    SimulatedDeviceId device;
    UniqueFile pipe;  // none once retired
    bool connected = false;
    std::vector<std::unique_ptr<Operation>> operations;
};

struct PipeServer::Device
{
    std::string path;
    bool opens = true;
    bool refuse = false;
    bool stalled = false;
    bool failReads = false;
    std::size_t failedReads = 0;
    std::deque<std::vector<std::uint8_t>> held;
    std::vector<std::unique_ptr<Instance>> instances;
};

PipeServer::PipeServer() : m_port(::CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1))
{
    if (!m_port)
        throw std::runtime_error("cannot create the pipe server's completion port");
    m_thread = std::thread(&PipeServer::Serve, this);
}

PipeServer::~PipeServer()
{
    // A bare packet: the request to stop needs no memory.
    ::PostQueuedCompletionStatus(m_port.Get(), 0, kStopKey, nullptr);
    m_thread.join();
}

template <class Action>
auto PipeServer::Call(Action action) -> decltype(action())
{
    using Result = decltype(action());
    auto task = std::make_shared<std::packaged_task<Result()>>(std::move(action));
    std::future<Result> result = task->get_future();
    {
        std::lock_guard<std::mutex> lock(m_commandMutex);
        m_commands.push_back([task] { (*task)(); });
    }
    if (!::PostQueuedCompletionStatus(m_port.Get(), 0, kCommandKey, nullptr))
        throw std::runtime_error("cannot reach the pipe server's thread");
    return result.get();
}

void PipeServer::Serve() noexcept
{
    for (;;) {
        if (m_stopping && (m_retired.empty() || std::chrono::steady_clock::now() >= m_stopLimit))
            return;
        DWORD bytes = 0;
        ULONG_PTR key = 0;
        OVERLAPPED* overlapped = nullptr;
        const BOOL dequeued =
            ::GetQueuedCompletionStatus(m_port.Get(), &bytes, &key, &overlapped, m_stopping ? kStoppingPollMs : INFINITE);
        const DWORD error = dequeued ? 0 : ::GetLastError();
        try {
            if (overlapped != nullptr)
                Completed(*static_cast<Operation*>(overlapped), error);
            else if (dequeued && key == kCommandKey)
                RunCommands();
            else if (dequeued && key == kStopKey)
                CloseAll();
            else if (error != WAIT_TIMEOUT)
                return;  // the port is gone
        } catch (...) {
            // Out of memory while topping up: a device listens on fewer
            // instances until the next event.
        }
    }
}

void PipeServer::CloseAll()
{
    for (auto& device : m_devices)
        RetireAll(device.second);
    m_devices.clear();
    m_stopping = true;
    m_stopLimit = std::chrono::steady_clock::now() + kStopLimit;
}

void PipeServer::RunCommands()
{
    std::deque<std::function<void()>> commands;
    {
        std::lock_guard<std::mutex> lock(m_commandMutex);
        commands.swap(m_commands);
    }
    for (auto& command : commands)
        command();  // a packaged task: what it throws goes to its caller
}

void PipeServer::Completed(Operation& operation, DWORD error)
{
    Instance& instance = operation.instance;
    const OperationKind kind = operation.kind;
    // Retiring an instance without operations left frees it at once, so the
    // top-up below must not read it.
    const SimulatedDeviceId id = instance.device;
    Forget(instance, operation);
    if (!instance.pipe) {
        if (instance.operations.empty())
            m_retired.erase(std::find_if(m_retired.begin(), m_retired.end(),
                                         [&](const auto& retired) { return retired.get() == &instance; }));
        return;
    }
    Device* device = Find(id);
    if (device == nullptr || kind == OperationKind::Write)
        return;
    if (kind == OperationKind::Fail) {
        if (error == 0) {
            ++device->failedReads;
            FailNextRead(*device, instance);
        }
        return;
    }
    if (kind == OperationKind::Connect && error == 0) {
        if (!instance.connected) {
            instance.connected = true;
            if (!Watch(instance))
                Retire(*device, instance);
            else
                FailNextRead(*device, instance);
        }
    } else if (kind == OperationKind::Watch && error == 0) {
        if (!Watch(instance))  // the client wrote; a HID client never does
            Retire(*device, instance);
    } else {
        Retire(*device, instance);  // the client closed its end, or listening failed
    }
    TopUpListening(id, *device);
}

DWORD PipeServer::Issue(Instance& instance, OperationKind kind, std::vector<std::uint8_t> buffer)
{
    instance.operations.push_back(std::make_unique<Operation>(kind, instance, std::move(buffer)));
    Operation& operation = *instance.operations.back();
    const DWORD size = static_cast<DWORD>(operation.buffer.size());
    BOOL started = FALSE;
    switch (kind) {
    case OperationKind::Connect:
        started = ::ConnectNamedPipe(instance.pipe.Get(), &operation);
        break;
    case OperationKind::Watch:
        started = ::ReadFile(instance.pipe.Get(), operation.buffer.data(), size, nullptr, &operation);
        break;
    case OperationKind::Write:
    case OperationKind::Fail:
        started = ::WriteFile(instance.pipe.Get(), operation.buffer.data(), size, nullptr, &operation);
        break;
    }
    // Success, even at once, still queues a completion packet.
    const DWORD error = started ? ERROR_IO_PENDING : ::GetLastError();
    if (error == ERROR_IO_PENDING)
        return 0;
    Forget(instance, operation);
    return error;
}

void PipeServer::Forget(Instance& instance, const Operation& operation)
{
    auto& operations = instance.operations;
    operations.erase(std::find_if(operations.begin(), operations.end(),
                                  [&](const auto& candidate) { return candidate.get() == &operation; }));
}

void PipeServer::TopUpListening(SimulatedDeviceId id, Device& device)
{
    if (!device.opens || device.refuse)
        return;
    for (;;) {
        const auto listening = std::count_if(device.instances.begin(), device.instances.end(),
                                             [](const auto& instance) { return !instance->connected; });
        if (static_cast<std::size_t>(listening) >= kListeningInstances || !Listen(id, device))
            return;
    }
}

void PipeServer::NoteNewClients(Device& device)
{
    // Wine queues a connect's completion only when this thread next waits,
    // after a client's open has already returned; the pipe's state is
    // current at once.
    std::vector<Instance*> connected;
    for (auto& instance : device.instances) {
        if (!instance->connected && ::PeekNamedPipe(instance->pipe.Get(), nullptr, 0, nullptr, nullptr, nullptr))
            connected.push_back(instance.get());
    }
    for (Instance* instance : connected) {
        instance->connected = true;
        if (!Watch(*instance))
            Retire(device, *instance);
        else
            FailNextRead(device, *instance);
    }
}

bool PipeServer::Listen(SimulatedDeviceId id, Device& device)
{
    // No buffer: a write stays outstanding until the client has read it, which
    // tells when every report was taken, and one write completes one read.
    UniqueFile pipe(::CreateNamedPipeA(device.path.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                       PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, PIPE_UNLIMITED_INSTANCES, 0, 0,
                                       0, nullptr));
    if (!pipe || ::CreateIoCompletionPort(pipe.Get(), m_port.Get(), kPipeKey, 0) == nullptr)
        return false;
    device.instances.push_back(std::make_unique<Instance>(id, std::move(pipe)));
    Instance& instance = *device.instances.back();
    const DWORD error = Issue(instance, OperationKind::Connect, {});
    if (error == ERROR_PIPE_CONNECTED) {  // a client came before the call; no packet follows
        instance.connected = true;
        if (!Watch(instance))
            Retire(device, instance);
        else
            FailNextRead(device, instance);
        return true;
    }
    if (error != 0) {
        Retire(device, instance);
        return false;
    }
    return true;
}

bool PipeServer::Watch(Instance& instance)
{
    // A read that the client never satisfies: it completes when the client
    // closes its end.
    return Issue(instance, OperationKind::Watch, std::vector<std::uint8_t>(1)) == 0;
}

void PipeServer::FailNextRead(const Device& device, Instance& instance)
{
    // One at a time: it stays outstanding until the client has read it, and
    // then the next read gets the next one.
    const bool failing = std::any_of(instance.operations.begin(), instance.operations.end(),
                                     [](const auto& operation) { return operation->kind == OperationKind::Fail; });
    if (device.failReads && !failing)
        Issue(instance, OperationKind::Fail, std::vector<std::uint8_t>(1));
}

void PipeServer::WriteNow(Device& device, const std::vector<std::uint8_t>& report)
{
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    m_lastWriteTicks = now.QuadPart;
    for (auto& instance : device.instances) {
        if (instance->connected)
            Issue(*instance, OperationKind::Write, report);  // one that fails at once has lost its client
    }
}

void PipeServer::Retire(Device& device, const Instance& instance)
{
    auto& instances = device.instances;
    const auto found = std::find_if(instances.begin(), instances.end(),
                                    [&](const auto& candidate) { return candidate.get() == &instance; });
    std::unique_ptr<Instance> retired = std::move(*found);
    instances.erase(found);
    // Closing completes the client's outstanding read with an error and
    // brings our own operations back with errors.
    retired->pipe.Reset();
    if (!retired->operations.empty())
        m_retired.push_back(std::move(retired));
}

void PipeServer::RetireAll(Device& device)
{
    while (!device.instances.empty())
        Retire(device, *device.instances.back());
}

PipeServer::Device* PipeServer::Find(SimulatedDeviceId id)
{
    const auto found = m_devices.find(id);
    return found == m_devices.end() ? nullptr : &found->second;
}

std::vector<const PipeServer::Instance*> PipeServer::Instances(const Device& device, bool connected)
{
    std::vector<const Instance*> instances;
    for (const auto& instance : device.instances) {
        if (instance->connected == connected)
            instances.push_back(instance.get());
    }
    return instances;
}

template <class Result, class Action>
Result PipeServer::WithDevice(SimulatedDeviceId id, Result fallback, Action action)
{
    return Call([&]() -> Result {
        Device* device = Find(id);
        if (device == nullptr)
            return fallback;
        NoteNewClients(*device);
        return action(*device);
    });
}

void PipeServer::AddDevice(SimulatedDeviceId id, const std::string& pipePath, bool opens)
{
    Call([&] {
        Device& device = m_devices[id];
        device.path = pipePath;
        device.opens = opens;
        TopUpListening(id, device);
        if (opens && device.instances.empty()) {
            m_devices.erase(id);
            throw std::runtime_error("cannot create the pipe " + pipePath);
        }
    });
}

void PipeServer::RemoveDevice(SimulatedDeviceId id)
{
    WithDevice(id, false, [&](Device& device) {
        RetireAll(device);
        m_devices.erase(id);
        return true;
    });
}

void PipeServer::BreakConnections(SimulatedDeviceId id)
{
    WithDevice(id, false, [&](Device& device) {
        for (const Instance* instance : Instances(device, true)) {
            ::DisconnectNamedPipe(instance->pipe.Get());
            Retire(device, *instance);
        }
        TopUpListening(id, device);
        return true;
    });
}

void PipeServer::RefuseOpens(SimulatedDeviceId id, bool refuse)
{
    WithDevice(id, false, [&](Device& device) {
        device.refuse = refuse;
        if (refuse) {
            for (const Instance* instance : Instances(device, false))
                Retire(device, *instance);
        }
        TopUpListening(id, device);
        return true;
    });
}

void PipeServer::Stall(SimulatedDeviceId id, bool stall)
{
    WithDevice(id, false, [&](Device& device) {
        device.stalled = stall;
        for (; !stall && !device.held.empty(); device.held.pop_front())
            WriteNow(device, device.held.front());
        return true;
    });
}

void PipeServer::FailReads(SimulatedDeviceId id, bool fail)
{
    WithDevice(id, false, [&](Device& device) {
        device.failReads = fail;
        for (auto& instance : device.instances) {
            if (fail && instance->connected)
                FailNextRead(device, *instance);
            for (const auto& operation : instance->operations) {
                // Comes back with an error: neither counted nor followed by another.
                if (!fail && operation->kind == OperationKind::Fail)
                    ::CancelIoEx(instance->pipe.Get(), operation.get());
            }
        }
        return true;
    });
}

std::size_t PipeServer::FailedReads(SimulatedDeviceId id)
{
    return WithDevice(id, std::size_t{0}, [](Device& device) { return device.failedReads; });
}

bool PipeServer::Write(SimulatedDeviceId id, const std::vector<std::uint8_t>& report, std::size_t copies)
{
    return !report.empty() && WithDevice(id, false, [&](Device& device) {
        for (std::size_t copy = 0; copy < copies; ++copy) {
            if (device.stalled)
                device.held.push_back(report);
            else
                WriteNow(device, report);
        }
        return !Instances(device, true).empty();
    });
}

std::size_t PipeServer::Connections(SimulatedDeviceId id)
{
    return WithDevice(id, std::size_t{0}, [](Device& device) { return Instances(device, true).size(); });
}

std::size_t PipeServer::UnreadReports(SimulatedDeviceId id)
{
    return WithDevice(id, std::size_t{0}, [](Device& device) {
        std::size_t unread = 0;
        for (const auto& instance : device.instances) {
            unread += std::count_if(instance->operations.begin(), instance->operations.end(),
                                    [](const auto& operation) { return operation->kind == OperationKind::Write; });
        }
        return unread;
    });
}
