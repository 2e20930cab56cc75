#pragma once
#include <cstddef>
#include <string>

#include "camsim/Camsim_Fault.h"
#include "camsim/Camsim_Stream.h"

// What a camera means to answer, before any fault is applied.
struct Camsim_Answer {
    int Status = 200;
    std::string Reason = "OK";
    std::string Content_Type = "text/plain";
    std::string Body;
    std::string Headers = {};  // more header lines, each ending in CRLF (an answer a fault
                               // replaces loses them)
};

// What the connection does to answer one request.
struct Camsim_Reply_Plan {
    std::string Bytes;            // the raw reply, interim reply included
    std::size_t Reset_After = 0;  // > 0: send that many bytes, then reset the connection
    bool Close_After = false;     // close gracefully once sent
    bool Hang = false;            // send nothing; wait for the client to give up
    int Delay_Ms = 0;             // wait this long before sending
    bool Stream = false;          // Bytes is a stream's head: the camera's stream parts follow
                                  // until the client leaves; then the connection closes
};

// The raw reply for answer under fault. slow_ms is the Slow fault's delay.
Camsim_Reply_Plan Camsim_Plan_Reply(const Camsim_Answer& answer, Camsim_Fault fault, int slow_ms);

// The reply that starts stream under fault. The faults that replace the answer (redirect,
// unauthorized, not-found, html, hang) answer as for any path, Slow delays the head, the others
// leave the stream alone.
Camsim_Reply_Plan Camsim_Plan_Stream(const Camsim_Stream& stream, Camsim_Fault fault, int slow_ms);
