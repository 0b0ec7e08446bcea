// The source of the targets that only make the shared precompiled headers.
