#pragma once
// What the stand-ins for the platform's DLLs share, and the test hooks with them: their settings
// from the environment, the log of what they were handed (the file FAKE_NETAPI_LOG names, a line
// a call), their answers, and the count of what they handed out and have not had back.

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

inline std::wstring Environment(const wchar_t* name) {
    std::wstring value(GetEnvironmentVariableW(name, nullptr, 0), L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size())));
    return value;
}

inline void Hex(std::string& out, const void* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", static_cast<const BYTE*>(data)[i]);
        out += pair;
    }
}

// "KEY=" and a text as UTF-16 in hexadecimal, or NULL for none.
inline void Field(std::string& line, const char* key, const wchar_t* text) {
    (line += key) += "=";
    if (text) {
        Hex(line, text, lstrlenW(text) * sizeof(wchar_t));
    } else {
        line += "NULL";
    }
}
inline void Server(std::string& line, const wchar_t* server) { Field(line, "server", server); }

// Appends `bytes` to the file that the environment variable `name` names, if it names one.
inline void Append(const wchar_t* name, const std::string& bytes) {
    const std::wstring path = Environment(name);
    const HANDLE file = path.empty() ? INVALID_HANDLE_VALUE
                                     : CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                   nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

inline void Log(const std::string& line) { Append(L"FAKE_NETAPI_LOG", line); }

// What this stand-in has handed out and not had back: references on its objects, buffers. Each
// change is logged as "held dll=NAME count=N", so that a test sees what a Schedule left behind.
inline LONG held = 0;
inline void Held(const char* dll, LONG change) {
    Log(std::string("held dll=") + dll + " count=" + std::to_string(InterlockedAdd(&held, change)) + "\n");
}

// Whether `password` is the account's that FAKE_PASSWORD_HASH names, by its FNV-1a hash over its
// UTF-16 code units in hexadecimal: "right", "wrong", or "none" for no password. A stand-in that
// checks a password is never told the password itself.
inline std::string PasswordIs(const wchar_t* password) {
    if (password == nullptr) return "none";
    unsigned long long hash = 14695981039346656037ULL;
    for (const wchar_t* unit = password; *unit; ++unit) hash = (hash ^ static_cast<unsigned short>(*unit)) * 1099511628211ULL;
    return std::wcstoull(Environment(L"FAKE_PASSWORD_HASH").c_str(), nullptr, 16) == hash ? "right" : "wrong";
}

// Takes the milliseconds after an "@" at the end of an answer, if it has them.
inline void TakeItsTime(const std::wstring& answer) {
    if (const auto at = answer.find(L'@'); at != std::wstring::npos) Sleep(std::wcstoul(&answer[at + 1], nullptr, 10));
}

// An answer as the tests write it: after its time, raises the exception whose code follows a
// leading "!", or answers the number it starts with.
inline DWORD Answered(const std::wstring& answer) {
    TakeItsTime(answer);
    if (!answer.empty() && answer[0] == L'!') RaiseException(std::wcstoul(answer.c_str() + 1, nullptr, 0), 0, 0, nullptr);
    return std::wcstoul(answer.c_str(), nullptr, 0);
}
