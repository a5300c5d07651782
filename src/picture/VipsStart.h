#pragma once

// Starts libvips once for the whole run, from whichever thread first needs it.
void ensureVipsStarted();
