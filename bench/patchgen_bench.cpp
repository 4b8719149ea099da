// lutctl patchgen's latency: from a pattern generator message's last byte
// to the KX_DEV_SetChVal call, over 1,000 patches sent one at a time over
// loopback TCP. Two clocks: from the read that returns the message's last
// byte (the reader, the XML and the levels: lutctl's own part), and from
// the peer's send of it (the same plus the kernel's loopback). The device
// library is a stand-in whose SetChVal only takes the time.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#include "ctl/patch_reader.h"
#include "device/device_api.h"
#include "platform/platform.h"

namespace {

constexpr int kPatches = 1000;
std::atomic<int64_t> CalledAt{0};
std::atomic<int> Shown{0};

int32_t TimedSetChVal(void *, int32_t, float *) {
    CalledAt.store(PlatformMonotonicMicros());
    return 0;
}

// The peer: sends one message, waits until it is shown, sends the next.
void Peer(int listener, std::vector<int64_t> *sentAt) {
    int conn = accept(listener, nullptr, nullptr);
    for (int i = 0; i < kPatches && conn >= 0; i++) {
        char xml[256];
        int n = snprintf(xml + 4, sizeof xml - 4,
                         "<?xml version=\"1.0\" encoding=\"utf-8\"?><calibration><color red=\"%d\" green=\"%d\" "
                         "blue=\"%d\" bits=\"10\"/><background red=\"0\" green=\"0\" blue=\"0\" bits=\"10\"/>"
                         "<geometry x=\"0.0000\" y=\"0.0000\" cx=\"1.0000\" cy=\"1.0000\"/></calibration>",
                         i % 1024, (7 * i) % 1024, 1023 - i % 1024);
        for (int b = 0; b < 4; b++) xml[b] = static_cast<char>(static_cast<uint32_t>(n) >> (24 - 8 * b));
        (*sentAt)[static_cast<size_t>(i)] = PlatformMonotonicMicros();
        if (send(conn, xml, static_cast<size_t>(n) + 4, 0) != n + 4) break;
        while (Shown.load() <= i) std::this_thread::yield();
    }
    if (conn >= 0) close(conn);
}

double Percentile(std::vector<int64_t> values, double p) {
    std::sort(values.begin(), values.end());
    return static_cast<double>(values[static_cast<size_t>(p * static_cast<double>(values.size() - 1))]);
}

}  // namespace

int main() {
    DeviceApiTable fakes = DeviceApi;
    fakes.KX_DEV_SetChVal = TimedSetChVal;
    InstallDeviceApi(fakes);
    int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener < 0 || bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        listen(listener, 1) != 0 || getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        perror("patchgen_bench: listen");
        return 1;
    }
    std::vector<int64_t> sentAt(kPatches), readAt(kPatches), calledAt(kPatches);
    std::thread peer(Peer, listener, &sentAt);
    static PatchReader reader;
    reader.timeoutMs = 10000;
    char port[8];
    char error[160];
    snprintf(port, sizeof port, "%d", ntohs(address.sin_port));
    int status = PlatformConnect("127.0.0.1", port, 10000, &reader.socket, error, sizeof error) == 1 ? 0 : 1;
    Session session{};
    for (int i = 0; i < kPatches && status == 0; i++) {
        PatchMessage message;
        float levels[3];
        if (ReadPatchMessage(reader, error, sizeof error) != kPatchRead) status = 1;
        readAt[static_cast<size_t>(i)] = PlatformMonotonicMicros();
        if (status != 0 || ParsePatchMessage(reader.xml, reader.length, message, error, sizeof error) < 0 ||
            ShowPatch(session, message, levels) < 0) {
            status = 1;
            break;
        }
        calledAt[static_cast<size_t>(i)] = CalledAt.load();
        Shown.store(i + 1);
    }
    PlatformCloseSocket(reader.socket);
    Shown.store(kPatches);
    peer.join();
    close(listener);
    if (status != 0) {
        fprintf(stderr, "patchgen_bench: %s\n", error);
        return 1;
    }
    std::vector<int64_t> fromRead(kPatches), fromSend(kPatches);
    for (int i = 0; i < kPatches; i++) {
        fromRead[static_cast<size_t>(i)] = calledAt[static_cast<size_t>(i)] - readAt[static_cast<size_t>(i)];
        fromSend[static_cast<size_t>(i)] = calledAt[static_cast<size_t>(i)] - sentAt[static_cast<size_t>(i)];
    }
    printf("%d patches, microseconds to the SetChVal call   median   99th pct   max\n", kPatches);
    printf("  from the read of the last byte            %8.0f %10.0f %6.0f\n", Percentile(fromRead, 0.5),
           Percentile(fromRead, 0.99), Percentile(fromRead, 1.0));
    printf("  from the peer's send                      %8.0f %10.0f %6.0f\n", Percentile(fromSend, 0.5),
           Percentile(fromSend, 0.99), Percentile(fromSend, 1.0));
    return 0;
}
