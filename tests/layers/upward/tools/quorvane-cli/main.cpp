// The CLI may include every layer and the sample feed.
#include "app/session.h"
#include "samplefeed/feed_writer.h"
