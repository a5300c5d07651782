// The Qt and fake implementations of the platform interfaces land here.
