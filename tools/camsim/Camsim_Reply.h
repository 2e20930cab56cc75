#pragma once
#include <cstddef>
#include <string>

#include "Camsim_Fault.h"

// What a camera means to answer, before any fault is applied.
struct Camsim_Answer {
    int Status = 200;
    std::string Reason = "OK";
    std::string Content_Type = "text/plain";
    std::string Body;
};

// What the connection does to answer one request.
struct Camsim_Reply_Plan {
    std::string Bytes;                 // the raw reply, interim reply included
    std::size_t Reset_After = 0;       // > 0: send that many bytes, then reset the connection
    bool Close_After = false;          // close gracefully once sent
    bool Hang = false;                 // send nothing; wait for the client to give up
    int Delay_Ms = 0;                  // wait this long before sending
};

// The raw reply for answer under fault. slow_ms is the Slow fault's delay.
Camsim_Reply_Plan Camsim_Plan_Reply(const Camsim_Answer& answer, Camsim_Fault fault, int slow_ms);
