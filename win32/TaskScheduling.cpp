// The registration of a task through ITaskService: connect to the computer, open the top folder,
// register under the first free At<N>.

#include "win32/TaskScheduling.h"

#include <taskschd.h>

#include "core/ComputerName.h"
#include "win32/Credentials.h"
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

// Connects `service` to `computer` (empty: this computer), with `account` where one is given: its
// user, its domain and its password, all three. The password's BSTR is handed over as it is, not
// copied into a VARIANT of its own: Connect only reads it.
HRESULT Connect(ITaskService& service, const std::u16string& computer, const Account* account) {
    const Variant none, computerName = computer.empty() ? Variant() : Variant(computer);
    if (!computer.empty() && computerName.get().vt != VT_BSTR) return E_OUTOFMEMORY;
    if (account == nullptr) return service.Connect(computerName.get(), none.get(), none.get(), none.get());
    std::u16string user, domain;
    if (const std::uint32_t error = SplitUserName(account->user, user, domain)) return HRESULT_FROM_WIN32(error);
    const Variant userName(user), domainName(LogonDomain(domain, computer));
    const SecretBstr password = Bstr(account->password);
    if (userName.get().vt != VT_BSTR || domainName.get().vt != VT_BSTR || !password) return E_OUTOFMEMORY;
    VARIANT secret;
    VariantInit(&secret);
    secret.vt = VT_BSTR;
    secret.bstrVal = password.get();
    return service.Connect(computerName.get(), userName.get(), domainName.get(), secret);
}

}  // namespace

NamedRegistration RegisterTask(const std::u16string& computer, const TaskDefinition& task, const Account* account) {
    const ComApartment apartment;  // goes last, after every interface below
    if (FAILED(apartment.result())) return {static_cast<std::uint32_t>(apartment.result()), {}};
    const UniqueBstr top = Bstr(u"\\");
    if (!top) return {std::uint32_t(E_OUTOFMEMORY), {}};

    ComPtr<ITaskService> service;
    ComPtr<ITaskFolder> folder;
    HRESULT result = CoCreateInstance(TaskSchedulerClass, nullptr, CLSCTX_INPROC_SERVER, __uuidof(ITaskService),
                                      ComOut(service));
    if (SUCCEEDED(result)) result = Connect(*service, computer, account);
    if (SUCCEEDED(result)) result = service->GetFolder(top.get(), ComOut(folder));
    if (FAILED(result)) return {static_cast<std::uint32_t>(result), {}};
    TopFolder names(*folder);
    return RegisterUnderFreeName(names, task);
}

}  // namespace TaskScheduling
