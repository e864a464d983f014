// The HART scan conversation: whatever datagrams come back from port 10000 (the input, split
// at fuzz::File_Separator, one reply per request), the scan engine ends in a bounded number of
// ticks, and the records it kept are decoded as the scan dialog lists them.

#include "fuzz_support.h"
#include "hart/scan_engine.h"
#include "hart/scan_records.h"
#include "lang/string_table.h"

namespace {

/// Enough ticks for every phase to time out and retry: the scan cannot take longer.
constexpr int Tick_Limit = 100000;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const lang::String_Table texts;
    const QList<QByteArray> replies = fuzz::Split_Files(fuzz::Bytes(data, size), 256);
    qsizetype next_reply = 0;
    int requests = 0;
    bool finished = false;

    hart::Scan_Engine engine(texts);
    engine.Send = [&](const QByteArray&) { ++requests; };
    engine.Show_Status = [](const QString&) {};
    engine.Reading_Record = [](int, int) {};
    engine.Finished = [&](bool) { finished = true; };
    engine.HART_Discovery(QStringLiteral("64"));
    int answered = 0;
    for (int tick = 0; tick < Tick_Limit && !finished; ++tick) {
        engine.Tick();
        // One reply per request, as the converter answers; empty parts are lost datagrams.
        while (answered < requests && next_reply < replies.size()) {
            ++answered;
            const QByteArray& reply = replies[next_reply++];
            if (!reply.isEmpty())
                engine.Datagram(reply);
        }
    }
    if (!finished)
        fuzz::Property_Broken("the scan never ended");
    for (const QByteArray& reply : replies)
        (void)hart::Parse_Status_Reply(reply);
    const QList<hart::Device_Record> records(engine.Devices().begin(), engine.Devices().end());
    (void)hart::Decode_Scan_Records(records, engine.Num_Devices());
    return 0;
}
