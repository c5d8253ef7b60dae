# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""The base class of the tests that run the saver on a desktop of their own."""

import contextlib
import inspect
import os
import shutil
import unittest

from .browser import FakeBrowser
from .images import DESKTOP
from .places import fresh_work_folder, install_as_saver, prefix_template
from .wine import Wine, copy_prefix
from .xserver import Xdo, screenshot, start_xvfb


class WineDesktopTest(unittest.TestCase):
    """Gives each test class its own X server, Wine prefix copy, wineserver,
    fake browser and a copy of the program installed as a screen saver.
    Subclasses may override start_display() for another X server."""

    SCREEN_SIZE = (1280, 720)

    @classmethod
    def start_display(cls, work):
        return start_xvfb(work, *cls.SCREEN_SIZE)

    @classmethod
    def setUpClass(cls):
        resources = contextlib.ExitStack()
        cls.addClassCleanup(resources.close)
        test_file = os.path.splitext(os.path.basename(inspect.getfile(cls)))[0]
        cls.work = fresh_work_folder("%s.%s" % (test_file, cls.__name__))
        prefix = os.path.join(cls.work, "prefix")
        # The copy is large; it goes when the class ends, whatever happened.
        resources.callback(shutil.rmtree, prefix, ignore_errors=True)
        copy_prefix(prefix_template(), prefix)
        cls.x_server = resources.enter_context(cls.start_display(cls.work))
        cls.x_server.paint_desktop(DESKTOP)
        cls.xdo = Xdo(cls.x_server.display)
        cls.browser = FakeBrowser(cls.work)
        cls.wine = Wine(prefix, cls.x_server.display, cls.work, extra_path=cls.browser.bin_dir)
        resources.callback(cls.wine.stop_server)
        cls.wine.start_server()
        cls.inspector = cls.wine.inspector
        cls.saver = install_as_saver(cls.work)

    def setUp(self):
        self.browser.forget()

    def start_saver(self, *args):
        program = self.wine.start(self.saver, *args)
        self.addCleanup(program.close)
        return program

    @classmethod
    def screenshot(cls, name):
        """The screen now, also kept as <work>/<name>.png."""
        return screenshot(cls.x_server.display, os.path.join(cls.work, name + ".png"))
