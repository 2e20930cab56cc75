#pragma once
#include <string>

// Receives the parts of a multipart/x-mixed-replace reply (an MJPEG stream) while it arrives.
// Called on the thread running T_Http_Client::Get.
class Http_Stream_Handler {
public:
    virtual ~Http_Stream_Handler() = default;
    // The reply is a stream; called once, before any part.
    virtual void Opened() = 0;
    // One complete part, the newest. Throwing an E_Http_Error ends the stream with that error.
    virtual void Part(std::string&& bytes) = 0;
    // The wait for the next bytes was interrupted by the call's wake signal.
    virtual void Woken() = 0;
};
