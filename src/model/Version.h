#pragma once
// The program's version: the About box shows it and the header of every printed page prints it.
inline constexpr char VelquorVersion[] = "2.4p";
