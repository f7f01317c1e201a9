// A stand-in for taskschd.dll, the Task Scheduler's class, for what only a remote Windows shows:
// Wine's own connects to this computer alone, takes its name however it is written, and answers
// at once. ITaskService::Connect appends "connect server=<the name as UTF-16 hex, or NULL for
// none> user=<...> domain=<...> password=right|wrong|none" (StandIn.h's PasswordIs) to the file
// that FAKE_NETAPI_LOG names and answers as FAKE_TASKSCHD says: an HRESULT
// (default 0), which may end in "@" and a number of milliseconds to take first. Its top folder
// has no task; each registration is logged as "register name=<UTF-16 hex>" and answered as
// FAKE_TASKSCHD_REGISTER says, in the same form. Every reference on its objects that it hands
// out and every release is counted (StandIn.h's Held).

#define CINTERFACE
#include <windows.h>
#include <taskschd.h>

#include "tests/win32/StandIn.h"

// Each interface has only the methods the program calls: the rest are left out, null.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

constexpr IID TaskServiceId = {0x2faba4c7, 0x4da9, 0x4013, {0x96, 0x97, 0x20, 0xcc, 0x3f, 0xd4, 0x0f, 0x85}};
constexpr IID TaskFolderId = {0x8cfac062, 0xa080, 0x4c15, {0x9a, 0x88, 0xaa, 0x7c, 0x2a, 0xf8, 0x0d, 0xfc}};

// One object of each kind, for as long as the DLL is loaded; the references on them are counted.
template <typename Interface>
ULONG STDMETHODCALLTYPE AddRef(Interface*) {
    Held("taskschd", +1);
    return 2;
}

template <typename Interface>
ULONG STDMETHODCALLTYPE Release(Interface*) {
    Held("taskschd", -1);
    return 1;
}

// Hands out `object` with a reference of its own, as every COM method does.
template <typename Interface>
HRESULT HandOut(Interface* object, Interface** out) {
    AddRef(object);
    *out = object;
    return S_OK;
}

template <typename Interface, const IID& Id>
HRESULT STDMETHODCALLTYPE Query(Interface* self, REFIID iid, void** out) {
    *out = nullptr;
    const bool known = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, Id);
    return known ? HandOut(self, reinterpret_cast<Interface**>(out)) : E_NOINTERFACE;
}

// An HRESULT as FAKE_TASKSCHD or FAKE_TASKSCHD_REGISTER says (default S_OK).
HRESULT Answer(const wchar_t* setting) {
    const std::wstring answer = Environment(setting);
    return static_cast<HRESULT>(Answered(answer.empty() ? L"0" : answer));
}

IRegisteredTaskVtbl TaskCalls = {
    .QueryInterface = Query<IRegisteredTask, IID_IUnknown>, .AddRef = AddRef, .Release = Release};
IRegisteredTask registered = {&TaskCalls};

HRESULT STDMETHODCALLTYPE GetTask(ITaskFolder*, BSTR, IRegisteredTask** task) {
    *task = nullptr;
    return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
}

HRESULT STDMETHODCALLTYPE RegisterTask(ITaskFolder*, BSTR path, BSTR, LONG, VARIANT, VARIANT, TASK_LOGON_TYPE, VARIANT,
                                       IRegisteredTask** task) {
    std::string line = "register name=";
    Hex(line, path, lstrlenW(path) * sizeof(wchar_t));
    Log(line + "\n");
    *task = nullptr;
    const HRESULT result = Answer(L"FAKE_TASKSCHD_REGISTER");
    if (SUCCEEDED(result)) HandOut(&registered, task);
    return result;
}

ITaskFolderVtbl FolderCalls = {.QueryInterface = Query<ITaskFolder, TaskFolderId>,
                                     .AddRef = AddRef,
                                     .Release = Release,
                                     .GetTask = GetTask,
                                     .RegisterTask = RegisterTask};
ITaskFolder folder = {&FolderCalls};

HRESULT STDMETHODCALLTYPE GetFolder(ITaskService*, BSTR, ITaskFolder** top) { return HandOut(&folder, top); }

const wchar_t* Text(const VARIANT& value) { return value.vt == VT_BSTR ? value.bstrVal : nullptr; }

HRESULT STDMETHODCALLTYPE Connect(ITaskService*, VARIANT server, VARIANT user, VARIANT domain, VARIANT password) {
    std::string line = "connect ";
    Server(line, Text(server));
    Field(line += " ", "user", Text(user));
    Field(line += " ", "domain", Text(domain));
    Log(line + " password=" + PasswordIs(Text(password)) + "\n");
    return Answer(L"FAKE_TASKSCHD");
}

ITaskServiceVtbl ServiceCalls = {.QueryInterface = Query<ITaskService, TaskServiceId>,
                                       .AddRef = AddRef,
                                       .Release = Release,
                                       .GetFolder = GetFolder,
                                       .Connect = Connect};
ITaskService service = {&ServiceCalls};

HRESULT STDMETHODCALLTYPE CreateInstance(IClassFactory*, IUnknown* outer, REFIID iid, void** object) {
    return outer ? CLASS_E_NOAGGREGATION : ServiceCalls.QueryInterface(&service, iid, object);
}

HRESULT STDMETHODCALLTYPE LockServer(IClassFactory*, BOOL) { return S_OK; }

IClassFactoryVtbl FactoryCalls = {.QueryInterface = Query<IClassFactory, IID_IClassFactory>,
                                        .AddRef = AddRef,
                                        .Release = Release,
                                        .CreateInstance = CreateInstance,
                                        .LockServer = LockServer};
IClassFactory factory = {&FactoryCalls};

}  // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID, REFIID iid, void** object) {
    return FactoryCalls.QueryInterface(&factory, iid, object);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() { return S_FALSE; }
