"""Keyword arguments under their former names: still taken, with a DeprecationWarning."""

from __future__ import annotations

import functools
import warnings
from typing import Any, Callable, TypeVar

F = TypeVar("F", bound=Callable[..., Any])


def renamed(**new_names: str) -> Callable[[F], F]:
    """A function that also takes each keyword old=... as new_names[old]=..., warning that the
    old name goes (its signature, annotations and help stay the new ones')."""

    def wrap(function: F) -> F:
        @functools.wraps(function)
        def call(*args, **kwargs):
            for old, new in new_names.items():
                if old not in kwargs:
                    continue
                if new in kwargs:
                    raise TypeError(f"{function.__name__}() got {old}= and {new}=; {old}= is "
                                    f"the former name of {new}=")
                warnings.warn(f"{function.__name__}(): {old}= is now called {new}=; the former "
                              f"name will be removed", DeprecationWarning, stacklevel=2)
                kwargs[new] = kwargs.pop(old)
            return function(*args, **kwargs)

        return call  # type: ignore[return-value]

    return wrap
