#pragma once
// The recurring transaction windows in the gallery (called by the bank set-up registration).

namespace gallery {
void registerRecurringWindows();
}
