// The print engine lands here.
