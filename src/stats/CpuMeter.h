#pragma once

#include <QtGlobal>

// Measures processor activity. Every window or monitor that shows CPU activity owns its own meter;
// meters never share measuring state, so one meter's Query does not disturb another's.
//
//   auto meter = module.createCpuMeter(facts.isNT);
//   meter->Initialize();          // once, when the owner is built
//   qint32 busy = meter->Query(); // on every refresh: percent busy since the previous Query
//   meter->Terminate();           // when the owner closes
//
// Query answers may be slightly negative on an idle machine and are -1 when the reading failed;
// callers show a negative answer as 0 (SystemInfoModule::cpuValue does that and reports a failed
// reading as a failed item).
class CpuMeter {
public:
    virtual ~CpuMeter() = default;
    virtual void Initialize() = 0;
    virtual qint32 Query() = 0;
    virtual void Terminate() = 0;
    // True when the latest Query could not read the counters or had nothing to measure yet (its
    // answer is then not a measurement).
    virtual bool queryFailed() const = 0;
};
