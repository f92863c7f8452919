#!/usr/bin/env python3
"""A year of weather judged for comfort: the hours an ISO 7730 PMV band and the EN 16798-1
adaptive categories accept, and the design conditions from the file's own hours.

    python3 comfort_year.py chicago.epw --met 1.1 --clo 0.7

Indoors is taken as the outdoor air (t_r = t_a, 0.1 m/s), as a first look at free-running
hours; the adaptive model is judged on the days whose running mean lies in its range.
"""

import argparse

import numpy as np

from hygrovane import climate, comfort


def judge(path, met=1.1, clo=0.7):
    """Counts of the year's hours, by name."""
    weather = climate.read_weather(path)
    hours = weather.arrays()
    t, rh = hours["dry_bulb_temperature"], hours["relative_humidity"]  # degC, %
    pmv = comfort.pmv(t, t, 0.1, rh_percent=rh, met=met, clo=clo, checked=False)
    running = comfort.running_mean(comfort.daily_means(t), alpha=0.8, wrap=True)  # degC, a day
    hourly_running = np.repeat(running, 24)[: t.size]
    adaptive = comfort.adaptive_en16798(t, t, 0.1, hourly_running)
    return {
        "hours": int(t.size),
        "|PMV| <= 0.5": int(np.count_nonzero(np.abs(pmv.pmv) <= 0.5)),
        "PPD <= 10 %": int(np.count_nonzero(pmv.ppd <= 10)),
        "adaptive model applies": int(np.count_nonzero(adaptive.ok)),
        "adaptive category II": int(np.count_nonzero(adaptive.acceptable_ii)),
    }


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("weather", help="an EPW or TMY3 file")
    parser.add_argument("--met", type=float, default=1.1)
    parser.add_argument("--clo", type=float, default=0.7)
    args = parser.parse_args()
    for name, count in judge(args.weather, args.met, args.clo).items():
        print(f"{name:26s} {count:6d}")
    design = climate.read_weather(args.weather).design_conditions()
    print(f"cooling 0.4 % dry bulb     {design['cooling'][0]['dry_bulb'] - 273.15:6.1f} degC")
    print(f"heating 99.6 % dry bulb    {design['heating'][0]['dry_bulb'] - 273.15:6.1f} degC")


if __name__ == "__main__":
    main()
