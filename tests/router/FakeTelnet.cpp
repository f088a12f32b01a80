#include "FakeTelnet.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {
TFakeTelnet* gCurrent = nullptr;
}  // namespace

TFakeTelnet::TFakeTelnet() { gCurrent = this; }
TFakeTelnet::~TFakeTelnet() { gCurrent = nullptr; }

router::TTelnetBinding TFakeTelnet::Binding() const {
    router::TTelnetBinding binding;
    binding.telnet_connect = Connect;
    binding.ReadResult = Read;
    binding.new_do_command = Command;
    binding.Wait = Wait;
    return binding;
}

router::TTelnetBinding TFakeTelnet::LiveBinding() const {
    router::TTelnetBinding binding = Binding();
    binding.telnet_is_open = IsOpen;
    return binding;
}

void TFakeTelnet::HangUp() { FScript.push_back({{}, 0, false, true}); }

int TFakeTelnet::IsOpen(int) {
    gCurrent->Events.emplace_back("open?");
    return gCurrent->Open ? 1 : 0;
}

void TFakeTelnet::Output(std::string_view text, std::size_t piece) {
    if (piece == 0) piece = text.size();
    for (std::size_t at = 0; at < text.size(); at += piece)
        FScript.push_back({std::string(text.substr(at, piece)), 1, true});
}

void TFakeTelnet::Silence() { FScript.push_back({{}, 0, false}); }

void TFakeTelnet::Raw(std::string bytes, int result) { FScript.push_back({std::move(bytes), result, false}); }

int TFakeTelnet::Connect(const char* host, int port, int option) {
    gCurrent->Events.push_back("connect " + std::string(host) + " " + std::to_string(port) + " " +
                               std::to_string(option));
    gCurrent->Hosts.emplace_back(host);
    return gCurrent->ConnectResult;
}

int TFakeTelnet::Read(int handle, const char* host, char* buffer, int size) {
    TFakeTelnet& self = *gCurrent;
    self.Events.emplace_back("read");
    self.ReadBuffers.push_back(buffer);
    self.ReadSizes.push_back(size);
    self.Handles.push_back(handle);
    self.Hosts.emplace_back(host);
    if (self.FScript.empty() || !self.Open) return 0;
    TDelivery delivery = std::move(self.FScript.front());
    self.FScript.pop_front();
    if (delivery.HangUp) {
        self.Open = false;
        return 0;
    }
    // Like the library: never more than the buffer holds, NUL-terminated when asked.
    const std::size_t room = static_cast<std::size_t>(size) - (delivery.Terminate ? 1 : 0);
    if (delivery.Bytes.size() > room) throw std::logic_error("scripted delivery larger than the buffer");
    std::memcpy(buffer, delivery.Bytes.data(), delivery.Bytes.size());
    if (delivery.Terminate) buffer[delivery.Bytes.size()] = '\0';
    return delivery.Result;
}

int TFakeTelnet::Command(int handle, const char* host, const char* command) {
    TFakeTelnet& self = *gCurrent;
    const std::string line(command);
    self.Events.push_back("send " + line);
    self.Sent.push_back(line);
    self.Handles.push_back(handle);
    self.Hosts.emplace_back(host);
    if (!self.Open || (self.RefuseSend && self.RefuseSend(line))) return 0;
    if (self.OnCommand) self.OnCommand(line);
    return self.SendResult;
}

void TFakeTelnet::Wait(int milliseconds) {
    gCurrent->Events.push_back("wait " + std::to_string(milliseconds));
    gCurrent->WaitedMs += milliseconds;
}
