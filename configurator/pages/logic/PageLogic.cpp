// The portable rules of the settings pages are compiled from the files beside this one.
