// The registration of a task through ITaskService: connect to the computer, open the top folder,
// register under the first free At<N>.

#include "win32/TaskScheduling.h"

#include <taskschd.h>

#include "win32/Win32Handles.h"

namespace TaskScheduling {

namespace {

// The Task Scheduler's class (CLSID_TaskScheduler), as <taskschd.h> declares it.
constexpr CLSID TaskSchedulerClass = {0x0f87369f, 0xa4e5, 0x4cfc, {0xbd, 0x3e, 0x73, 0xe6, 0x15, 0x45, 0x72, 0xdd}};

// COM on this thread for as long as the owner lives: the multithreaded apartment, as the thread
// that registers takes no messages (CallOffThread.h).
class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    HRESULT result() const { return result_; }

private:
    HRESULT result_;
};

// The top folder of a computer's Task Scheduler, as naming a new task goes. A task is looked up
// by its name rather than by listing the folder, which Wine's Task Scheduler can't count.
class TopFolder final : public TaskFolder {
public:
    explicit TopFolder(ITaskFolder& folder) : folder_(folder) {}

    std::uint32_t Find(const std::u16string& name) override {
        const UniqueBstr path = Bstr(name);
        ComPtr<IRegisteredTask> task;
        return path ? folder_.GetTask(path.get(), ComOut(task)) : E_OUTOFMEMORY;
    }

    std::uint32_t Register(const std::u16string& name, const TaskDefinition& task) override {
        const UniqueBstr path = Bstr(name), xml = Bstr(task.Xml);
        const Variant none, runAs(task.RunAs);
        if (!path || !xml || runAs.get().vt != VT_BSTR) return E_OUTOFMEMORY;
        ComPtr<IRegisteredTask> registered;
        return folder_.RegisterTask(path.get(), xml.get(), TASK_CREATE, runAs.get(), none.get(),
                                    static_cast<TASK_LOGON_TYPE>(task.LogonType), none.get(),
                                    ComOut(registered));
    }

private:
    ITaskFolder& folder_;
};

}  // namespace

NamedRegistration RegisterTask(const std::u16string& computer, const TaskDefinition& task) {
    const ComApartment apartment;  // goes last, after every interface below
    if (FAILED(apartment.result())) return {static_cast<std::uint32_t>(apartment.result()), {}};
    const Variant none, computerName = computer.empty() ? Variant() : Variant(computer);
    const UniqueBstr top = Bstr(u"\\");
    if (!top || (!computer.empty() && computerName.get().vt != VT_BSTR)) return {std::uint32_t(E_OUTOFMEMORY), {}};

    ComPtr<ITaskService> service;
    ComPtr<ITaskFolder> folder;
    HRESULT result = CoCreateInstance(TaskSchedulerClass, nullptr, CLSCTX_INPROC_SERVER, __uuidof(ITaskService),
                                      ComOut(service));
    if (SUCCEEDED(result)) result = service->Connect(computerName.get(), none.get(), none.get(), none.get());
    if (SUCCEEDED(result)) result = service->GetFolder(top.get(), ComOut(folder));
    if (FAILED(result)) return {static_cast<std::uint32_t>(result), {}};
    TopFolder names(*folder);
    return RegisterUnderFreeName(names, task);
}

}  // namespace TaskScheduling
