#ifndef KVFUZZ_DEVICES_H
#define KVFUZZ_DEVICES_H

// The device objects that the receive targets feed and the seed tool talks to the simulator
// with: built as the plug-in builds them, plus every optional group of their dialect so that
// replies can reach each group, with the receive buffer in sight.

#include "kvcommoninterface.h"
#include "kvrv520maxcam.h"

#include <QByteArray>
#include <QList>

// The model as KVRV520MAXCam::initInstance builds it, with the "583" groups.
class FuzzModelDevice : public KVRV520MAXCam
{
public:
    FuzzModelDevice()
    {
        populate(this);
        scale_583(this);
        work_area_583(this);
    }
    qsizetype pendingBytes() const { return receive_buffer.size(); }

    // A reply that sets the record ProbeKey to 123.
    static constexpr const char *ProbeReply = "CCMD;7,0,0,123;";
    static constexpr const char *ProbeKey = "SPEED";
};

// A "261" device as KVCommonInterface::initInstance builds it, with its machine information and
// every "261" group.
class FuzzCommonDevice : public KVCommonInterface
{
public:
    FuzzCommonDevice()
    {
        init261(this);
        info_261(this);
        camera_offset_261(this);
        feed_261(this);
        scale_261(this);
        sp1_261(this);
        sp2_261(this);
        tool_space_261(this);
        work_area_261(this);
        move_261(this);
    }
    qsizetype pendingBytes() const { return receive_buffer.size(); }

    static constexpr const char *ProbeReply = "CMD;R26:123;";
    static constexpr const char *ProbeKey = "PU_SPEED";
};

#endif // KVFUZZ_DEVICES_H
