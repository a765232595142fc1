// The few pieces of positional astronomy the lunar calendar needs: the sun's
// apparent longitude (for the solar terms) and the instants of new moon (for
// the months). Times are Julian Ephemeris Days (TT) unless named otherwise.
#pragma once

namespace tz::astro {

// Apparent geocentric ecliptic longitude of the sun, degrees in [0, 360):
// VSOP87D for the earth, FK5 frame correction, IAU 1980 nutation in
// longitude and annual aberration. Error below 0.1" (a few seconds of time)
// within 1800..2100.
double ApparentSolarLongitude(double jde);

// The instant (JDE) at which the apparent solar longitude reaches `degrees`
// next after, or close to, `jde_guess` (within about ±20 days).
double SolarLongitudeCrossing(double degrees, double jde_guess);

// TT - UT in seconds for a decimal year, from the Espenak-Meeus polynomials
// fitted to the observed values; past the last observations it is a
// gentle extrapolation.
double DeltaT(double decimal_year);

// JDE of the true new moon with lunation number k (k = 0 is the new moon of
// 2000-01-06), by the ELP-2000/82-based series of Meeus, Astronomical
// Algorithms ch. 49; error a few seconds, well under a minute, in 1900..2100.
double NewMoon(int k);

// The day number (days since 1970-01-01) of the civil day in the zone
// `utc_offset_hours` east of Greenwich on which the instant `jde` falls.
int LocalDayOfJde(double jde, double utc_offset_hours);

// JDE of 0h UT of a day number, handy as a starting guess.
double JdOfDay(int days);

}  // namespace tz::astro
