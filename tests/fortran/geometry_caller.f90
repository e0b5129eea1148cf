! tests/fortran/geometry_caller.f90: the callers the geometry exports are made for. Each routine is
! bound by its exported name with every argument by reference (no VALUE), a logical result read
! as a 4-byte integer (true = -1). Stops with status 1 on the first wrong result.
program geometry_caller
  use, intrinsic :: iso_c_binding, only: c_float, c_double, c_int32_t
  implicit none

  interface
    real(c_float) function distance_8(x1, y1, x2, y2) bind(C, name='DISTANCE_8')
      import :: c_float, c_double
      real(c_double), intent(in) :: x1, y1, x2, y2
    end function
    integer(c_int32_t) function inside_polygon(xp, yp, x, y, n, xref, iend, npoly) bind(C, name='INSIDE_POLYGON')
      import :: c_float, c_int32_t
      real(c_float), intent(in) :: xp, yp, x(*), y(*), xref
      integer(c_int32_t), intent(in) :: n, iend(*), npoly
    end function
    integer(c_int32_t) function intersect_line_v2_8(x1, y1, x2, y2, x3, y3, x4, y4) &
        bind(C, name='INTERSECT_LINE_V2_8')
      import :: c_double, c_int32_t
      real(c_double), intent(in) :: x1, y1, x2, y2, x3, y3, x4, y4
    end function
    integer(c_int32_t) function interpolate_triangle_8(xp, yp, x, y, z, zp) bind(C, name='INTERPOLATE_TRIANGLE_8')
      import :: c_float, c_double, c_int32_t
      real(c_double), intent(in) :: xp, yp, x(3), y(3)
      real(c_float), intent(in) :: z(3)
      real(c_float), intent(out) :: zp
    end function
    subroutine hyd_param(xa, za, xb, zb, h, s, area, width, perimeter) bind(C, name='HYD_PARAM')
      import :: c_float
      real(c_float), intent(in) :: xa, za, xb, zb, h, s
      real(c_float), intent(out) :: area, width, perimeter
    end subroutine
    subroutine geo_shift(x, y, n, x0, y0, angle, xl, yl) bind(C, name='GEO_SHIFT')
      import :: c_float, c_double, c_int32_t
      integer(c_int32_t), intent(in) :: n
      real(c_double), intent(in) :: x(n), y(n), x0, y0
      real(c_float), intent(in) :: angle
      real(c_float), intent(out) :: xl(n), yl(n)
    end subroutine
  end interface

  real(c_float) :: x(12), y(12), area, width, perimeter, zp, xl(2), yl(2)
  real(c_double) :: tx(3), ty(3)
  integer(c_int32_t) :: ends(2)

  call expect(distance_8(0d0, 0d0, 3d0, 4d0) == 5.0, 'DISTANCE_8 of (0,0) and (3,4) is 5')
  call expect(intersect_line_v2_8(0d0, 0d0, 2d0, 0d0, 1d0, -1d0, 1d0, 1d0) == 3, 'INTERSECT_LINE_V2_8 crossing')

  ! A square of side 4 with a square hole as its second ring; separators after each ring.
  x = [0., 4., 4., 0., 0., 0., 1., 3., 3., 1., 1., 1.]
  y = [0., 0., 4., 4., 0., 0., 1., 1., 3., 3., 1., 1.]
  ends = [5, 11]
  call expect(inside_polygon(3.5, 2.0, x, y, 12, -1.0, ends, 2) == -1, 'INSIDE_POLYGON: true is -1')
  call expect(inside_polygon(2.0, 2.0, x, y, 12, -1.0, ends, 2) == 0, 'INSIDE_POLYGON: the hole is outside')

  tx = [0d0, 2d0, 0d0]
  ty = [0d0, 0d0, 2d0]
  call expect(interpolate_triangle_8(0.5d0, 0.5d0, tx, ty, [0., 2., 4.], zp) == -1 .and. zp == 1.5, &
              'INTERPOLATE_TRIANGLE_8 at (0.5, 0.5) is 1.5')

  call hyd_param(0., 0., 2., 2., 1., 1., area, width, perimeter)
  call expect(area == 0.5 .and. width == 1.0 .and. abs(perimeter - sqrt(2.0)) < 1e-6, 'HYD_PARAM half-wet piece')

  call geo_shift([110d0, 100d0], [200d0, 210d0], 2, 100d0, 200d0, 0.0, xl, yl)
  call expect(xl(1) == 10.0 .and. yl(2) == 10.0, 'GEO_SHIFT moves to the origin')

  print '(a)', 'fortran caller: geometry exports behave'

contains

  subroutine expect(condition, what)
    logical, intent(in) :: condition
    character(*), intent(in) :: what
    if (.not. condition) then
      print '(2a)', 'FAILED: ', what
      stop 1
    end if
  end subroutine

end program
