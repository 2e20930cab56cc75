#pragma once
#include <string>

// Settings of one T_Http_Client, fixed when the object is created.
struct Http_Settings {
    bool AllowCookies = true;             // keep a cookie store and send matching cookies
    std::string ProtocolVersion = "1.1";  // written after "HTTP/" in the request line
    bool HandleRedirects = false;         // redirects are never followed; kept for the callers' records
    std::string Accept = "text/html, */*";
    std::string UserAgent = "Mozilla/3.0 (compatible; Indy Library)";
    bool BasicAuthentication = false;  // true: send Authorization whenever a user name is stored
    int Connect_Timeout_Ms = 5000;     // whole connection attempt, every address included
    int Read_Timeout_Ms = 10000;       // longest wait for the next byte while writing or reading
    int Lookup_Timeout_Ms = 5000;      // longest name lookup (a silent name server)
    std::string Name_Servers;          // "" for the system's; "127.0.0.1:5353,..." in tests
    // A kept connection that turns out dropped before any reply byte arrived gets the request again
    // on a new connection. Right for a snapshot; wrong for a command that must reach the camera once.
    bool Resend_On_Dropped_Connection = true;
    // PEM file of the certificates https servers are checked against, "" for the system's store.
    std::string Tls_Ca_File;
};
