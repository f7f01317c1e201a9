#pragma once
// A computer's name, as the user typed it, in the form each way to its scheduling service takes.
// NetScheduleJobAdd and NetRemoteTOD take a DNS or NetBIOS name, and \\NAME as well: the name as
// typed.

#include <string>
#include <string_view>

// The name that ITaskService::Connect takes: "the name of the computer", without the leading
// backslashes of the form \\SRV-7, which Windows Server 2008 refuses there, and without blanks
// around it; empty, this computer, where nothing else is left.
std::u16string TaskSchedulerName(std::u16string_view typed);

// This computer's names, as the platform tells them (GetComputerNameEx): its NetBIOS name, its DNS
// host name and its full DNS name.
struct ThisComputerNames {
    std::u16string netBios, dnsHost, dnsFull;
};

// Whether `typed` names this computer: nothing, one of its names, "localhost", "127.0.0.1" or
// "::1"; with or without the leading backslashes of \\NAME, blanks around it, in any case of
// its letters A to Z. This computer takes no other account (the platform refuses one for the local
// machine) and needs its administrator, not a remote one.
bool IsThisComputer(std::u16string_view typed, const ThisComputerNames& names);

// The domain of an account as ITaskService::Connect takes it, from the domain its name gives
// (CredUIParseUserName): where it gives none, or ".", the account is one of `computer` itself.
std::u16string LogonDomain(std::u16string_view domain, std::u16string_view computer);
