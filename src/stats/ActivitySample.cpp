#include "stats/ActivitySample.h"

void ActivitySample::start(ActivityMeters& meters) {
    meters.cores();
    meters.diskBusy();
    meters.network();
}

ActivitySample ActivitySample::finish(ActivityMeters& meters) {
    ActivitySample sample;
    sample.cores = meters.cores();
    sample.temperature = meters.temperature();
    sample.diskBusy = meters.diskBusy();
    sample.disksAvailable = meters.disksAvailable();
    sample.network = meters.network();
    sample.networkAvailable = meters.networkAvailable();
    return sample;
}
