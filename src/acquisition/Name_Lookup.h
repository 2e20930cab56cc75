#pragma once
#include <sys/socket.h>

#include <string>
#include <vector>

class Abort_Signal;

// One address a host can be reached at (port included).
struct Socket_Address {
    sockaddr_storage Address{};
    socklen_t Length = 0;
    int Family = 0;
};

// The addresses of host (a name or an address literal) for a TCP connection to port. An address
// literal needs no lookup. A name is looked up with c-ares (the hosts file, then the name servers
// of /etc/resolv.conf, or those of name_servers, "127.0.0.1:5353,..." for tests), for at most
// timeout_ms, and a raised abort ends the lookup at once: no thread is left behind waiting for a
// silent name server. Names under the reserved domain "invalid" fail without asking anyone.
// Throws E_Http_Error: EAI_NONAME when the name is unknown, EAI_AGAIN when the name servers did
// not answer in time, ECANCELED on abort.
std::vector<Socket_Address> Look_Up_Host(const std::string& host, int port, int timeout_ms, const Abort_Signal& abort,
                                         const std::string& name_servers = {});

// True for names under the reserved top-level domain "invalid" ("tambrel.invalid", "x.invalid."),
// which by definition never resolve.
bool Is_Reserved_Invalid_Name(const std::string& host);
