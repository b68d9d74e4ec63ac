# SPDX-FileCopyrightText: 2026 The dayname developers
# SPDX-License-Identifier: MIT
# A test fixture, not for packagers: Fedora's CMake macros (cmake-rpm-macros
# and redhat-rpm-config), which Debian's rpm lacks, written from Fedora's own
# definitions, so that CI can build dayname.spec with Debian's rpmbuild.
%_vpath_srcdir .
%_vpath_builddir %{_vendor}-%{_target_os}-build
%__cmake /usr/bin/cmake
%__ctest /usr/bin/ctest
%__cmake_builddir %{_vpath_builddir}

%cmake \
  %{set_build_flags} \
  %__cmake \\\
        -S "%{_vpath_srcdir}" \\\
        -B "%{__cmake_builddir}" \\\
        -DCMAKE_C_FLAGS_RELEASE:STRING="-DNDEBUG" \\\
        -DCMAKE_CXX_FLAGS_RELEASE:STRING="-DNDEBUG" \\\
        -DCMAKE_Fortran_FLAGS_RELEASE:STRING="-DNDEBUG" \\\
        -DCMAKE_VERBOSE_MAKEFILE:BOOL=ON \\\
        -DCMAKE_INSTALL_DO_STRIP:BOOL=OFF \\\
        -DCMAKE_INSTALL_PREFIX:PATH=%{_prefix} \\\
        -DINCLUDE_INSTALL_DIR:PATH=%{_includedir} \\\
        -DLIB_INSTALL_DIR:PATH=%{_libdir} \\\
        -DSYSCONF_INSTALL_DIR:PATH=%{_sysconfdir} \\\
        -DSHARE_INSTALL_PREFIX:PATH=%{_datadir} \\\
        -DBUILD_SHARED_LIBS:BOOL=ON

%cmake_build \
  %__cmake --build "%{__cmake_builddir}" %{?_smp_mflags} --verbose

%cmake_install \
  DESTDIR="%{buildroot}" %__cmake --install "%{__cmake_builddir}"

%ctest(:-:) \
  %__ctest --test-dir "%{__cmake_builddir}" \\\
           --output-on-failure \\\
           --force-new-ctest-process \\\
           %{?_smp_mflags} %{**}

# Fedora's own: documents and licences under the package's bare name, and
# manual pages compressed as its buildroot policy does, with bash, Fedora's
# /bin/sh, which brp-compress needs.
%_docdir_fmt %%{NAME}
%__os_install_post bash %{__brp_compress}
