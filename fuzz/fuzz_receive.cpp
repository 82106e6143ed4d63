// The receive path and reply dispatch of one device object under arbitrary line bytes: chunks as
// a transport hands them over (chunks.h), frames cut and dispatched into the catalogue. After
// every chunk the bytes waiting for a frame end stay within the receive limit; after the whole
// stream the device still decodes a good reply. Built once per dialect, KV_FUZZ_DEVICE naming
// the device class of fuzzdevices.h (a fresh device per input, so that every crash reproduces
// from its input alone).
#include "chunks.h"
#include "framestream.h"
#include "fuzzdevices.h"
#include "fuzzsupport.h"
#include "kvdeviceproperty.h"

#include <cstddef>
#include <cstdint>

namespace {

// Frames dispatched per input at the most: the stream ends there. Dispatch is what an input costs
// (a few KiB of tiny frames, repeated, make tens of thousands), and more frames of the same kinds
// reach no new code.
constexpr int MaxFrames = 256;

template<typename Device>
class CountingDevice : public Device
{
public:
    using Device::decode_cmd;
    void decode_cmd(QString frame) override
    {
        ++frames;
        Device::decode_cmd(frame);
    }
    int frames = 0;
};

template<typename Device>
void feedReceivePath(const uint8_t *data, size_t size)
{
    CountingDevice<Device> device;
    KvFuzz::forEachChunk(data, size, [&device](const QByteArray &chunk) {
        if (device.frames >= MaxFrames)
            return;
        device.slot_usb_read(chunk);
        if (device.pendingBytes() > KVFrameStream::DefaultPendingLimit)
            KvFuzz::fail("receive buffer beyond its limit");
    });

    // A frame end closes whatever half frame the stream left; the next reply must get through.
    device.slot_usb_read(QByteArray(1, KVFrameStream::Etx));
    device.slot_usb_read(KVFrameStream::pack(Device::ProbeReply));
    const KVDeviceProperty *probe = device.property_ptr(Device::ProbeKey);
    if (!probe || probe->value().toUInt() != 123u)
        KvFuzz::fail("the device no longer decodes replies after the stream");
}

} // namespace

KV_FUZZ_TARGET(Off, feedReceivePath<KV_FUZZ_DEVICE>)
