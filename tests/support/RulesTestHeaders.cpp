// The precompiled headers of the rules' tests are built with this empty file.
